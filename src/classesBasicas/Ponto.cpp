#include "classesBasicas/Ponto.h"

// Everything of a point is inline in its header.

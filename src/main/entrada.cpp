#include "main/main.h"

#include <allegro.h>

int main() { return executarJogo(); }
END_OF_MAIN()

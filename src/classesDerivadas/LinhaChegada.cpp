#include "classesDerivadas/LinhaChegada.h"

#include "dados/Figuras.h"

LinhaChegada::LinhaChegada(Ponto posicao, int altura)
    : Objeto(figuras::PIXEL_TRANSPARENTE, posicao, 0, altura, true) {}

LinhaChegada::~LinhaChegada() = default;

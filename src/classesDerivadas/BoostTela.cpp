#include "classesDerivadas/BoostTela.h"

#include "dados/Figuras.h"
#include "dados/Medidas.h"

BoostTela::BoostTela(Ponto posicao, int velocidade)
    : Objeto(figuras::PIXEL_TRANSPARENTE, posicao, 0, medidas::ALTURA_TELA, true), velocidade(velocidade) {}

BoostTela::~BoostTela() = default;

int BoostTela::getVelocidade() const { return velocidade; }

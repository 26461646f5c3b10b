#include "classesDerivadas/BoostTela.h"

BoostTela::BoostTela(Ponto posicao, int velocidade)
    : Objeto("src/Img/Jogo/pixelTransparente.bmp", posicao, 0, 480, true), velocidade(velocidade) {}

BoostTela::~BoostTela() = default;

int BoostTela::getVelocidade() const { return velocidade; }

#include "classesDerivadas/LinhaChegada.h"

LinhaChegada::LinhaChegada(Ponto posicao, int altura)
    : Objeto("src/Img/Jogo/pixelTransparente.bmp", posicao, 0, altura, true) {}

LinhaChegada::~LinhaChegada() = default;

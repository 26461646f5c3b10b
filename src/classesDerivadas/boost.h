#pragma once

#include "classesBasicas/Objeto.h"

// A solid speed pickup: a runner landing on it is thrown forward at 50 pixels
// per frame.
class boost : public Objeto {
public:
    boost(std::string bitmap, Ponto posicao, int largura, int altura, bool voador);
    ~boost() override;
};

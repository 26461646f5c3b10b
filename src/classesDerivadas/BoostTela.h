#pragma once

#include "classesBasicas/Objeto.h"

// An invisible full-height column: the view takes its speed on entering it.
class BoostTela : public Objeto {
public:
    BoostTela(Ponto posicao, int velocidade);
    ~BoostTela() override;

    int getVelocidade() const;

private:
    int velocidade;  // scrolling speed in pixels per frame from here on
};

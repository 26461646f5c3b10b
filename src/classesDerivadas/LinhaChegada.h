#pragma once

#include "classesBasicas/Objeto.h"

// An invisible column: a runner that enters it moving right has won.
class LinhaChegada : public Objeto {
public:
    LinhaChegada(Ponto posicao, int altura);
    ~LinhaChegada() override;
};

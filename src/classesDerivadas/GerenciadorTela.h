#pragma once

#include "classesBasicas/Objeto.h"

// The invisible object that carries the view: its x is the left edge of the
// window shown, its horizontal speed the scrolling speed. It passes through
// everything and takes the speed of each screen-speed column it enters.
class GerenciadorTela : public Objeto {
public:
    GerenciadorTela();
    ~GerenciadorTela() override;

    // Stops only on object colours (and off the picture), never on free
    // space or terrain.
    bool checaColisao(int cor) override;
    void trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao) override;
};

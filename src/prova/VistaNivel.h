#pragma once

#include "prova/CorridaNivel.h"

// What a race's screen shows of its level, frame by frame: the window that
// the view carries, as the race's screen manager moves it.
class VistaNivel {
public:
    explicit VistaNivel(const CorridaNivel& corrida) : corrida(corrida) {}

    int getX() const { return corrida.getXVista(); }                       // the view's left edge
    int getVelocidade() const { return corrida.getVelocidadeVista(); }     // pixels per frame from now on
    int getDireita() const { return getX() + LARGURA - 1; }                // the last column shown

    static constexpr int LARGURA = 640;

private:
    const CorridaNivel& corrida;
};

#pragma once

class Objeto;

// Gravity and the turning of velocities into one-pixel steps, once per frame.
class Fisica {
public:
    static double mru(int s0, double t, double v0);
    static double mruv(int s0, double t, double v0, int a);
    static double calculaVelocidade(double t, double v0, int a);
    static double calculaTorricceli(double v0, int dS, int a);

    // Adds one gravity increment once more than INTERVALO_GRAVIDADE ms have
    // passed on the object's own stopwatch (starting it on first use).
    static void aplicaGravidade(Objeto& obj);
    // Gravity unless the object flies, then the frame's horizontal steps and
    // its vertical steps, each pass stopping at the first refused step.
    static void aplicarMovimentos(Objeto& obj);

    static constexpr int INTERVALO_GRAVIDADE = 30;      // ms
    static constexpr double INCREMENTO_GRAVIDADE = 1.8;  // pixels per frame, per increment
};

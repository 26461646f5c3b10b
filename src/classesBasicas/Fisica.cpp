#include "classesBasicas/Fisica.h"

#include "classesBasicas/Objeto.h"

#include <cmath>
#include <cstdlib>

double Fisica::mru(int s0, double t, double v0) { return s0 + v0 * t; }

double Fisica::mruv(int s0, double t, double v0, int a) { return s0 + v0 * t + a * t * t / 2.0; }

double Fisica::calculaVelocidade(double t, double v0, int a) { return v0 + a * t; }

double Fisica::calculaTorricceli(double v0, int dS, int a) {
    return std::sqrt(v0 * v0 + static_cast<double>(2 * a * dS));
}

void Fisica::aplicaGravidade(Objeto& obj) {
    Cronometro& cronometro = obj.getCronometro();
    if (cronometro.isParado()) {
        cronometro.iniciar();
        return;
    }
    if (cronometro.getMedicao() <= INTERVALO_GRAVIDADE) return;
    obj.setVelVertical(obj.getVelVertical() + obj.getSinalGravidade() * INCREMENTO_GRAVIDADE);
    cronometro.resetar();
}

namespace {

// Up to |velocidade| steps (fraction dropped), stopping at the first refusal.
void passos(Objeto& obj, double velocidade, Objeto::DirecaoMovimento negativa,
            Objeto::DirecaoMovimento positiva) {
    int des = static_cast<int>(velocidade);
    Objeto::DirecaoMovimento direcao = des < 0 ? negativa : positiva;
    for (int i = std::abs(des); i > 0; --i) {
        if (!obj.mover(direcao)) break;
    }
}

}  // namespace

void Fisica::aplicarMovimentos(Objeto& obj) {
    if (!obj.isVoador()) aplicaGravidade(obj);
    if (obj.getVelHorizontal() != 0.0)
        passos(obj, obj.getVelHorizontal(), Objeto::ESQUERDA, Objeto::DIREITA);
    // Read afresh: a handler met on the way may have changed it.
    if (obj.getVelVertical() != 0.0) passos(obj, obj.getVelVertical(), Objeto::CIMA, Objeto::BAIXO);
}

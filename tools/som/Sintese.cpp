#include "Sintese.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

// The correction that takes the step of a pulse wave off the sample grid
// (polyBLEP), so high notes do not fold back as a hiss at 22 kHz.
double blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

Sintese::Sintese(int frequencia, int duracaoMs)
    : frequencia_(frequencia), amostras_(static_cast<size_t>(static_cast<long>(frequencia) * duracaoMs / 1000), 0.0) {}

void Sintese::tocar(const Nota& n) {
    const double taxa = frequencia_;
    const long inicio = std::lround(n.inicio * taxa);
    const long total = std::lround(n.duracao * taxa);
    const double fim = n.f1 > 0.0 ? n.f1 : n.f0;
    double fase = 0.0;
    double ruido = 0.0;
    for (long i = 0; i < total; ++i) {
        const long k = inicio + i;
        if (k < 0 || k >= static_cast<long>(amostras_.size())) continue;
        const double t = i / taxa;
        const double parte = total > 1 ? static_cast<double>(i) / static_cast<double>(total - 1) : 0.0;
        // A glide in equal steps of pitch, as the ear hears them.
        double f = n.f0 * std::pow(fim / n.f0, parte);
        if (n.vibrato > 0.0) f *= 1.0 + n.vibrato * std::sin(2.0 * PI * n.vibratoHz * t);
        const double dt = std::min(f / taxa, 0.5);

        double v = 0.0;
        switch (n.forma) {
            case Forma::PULSO:
                v = (fase < n.ciclo ? 1.0 : -1.0) + blep(fase, dt) - blep(std::fmod(fase + 1.0 - n.ciclo, 1.0), dt);
                break;
            case Forma::TRIANGULO: v = 4.0 * std::fabs(fase - 0.5) - 1.0; break;
            case Forma::SENO: v = std::sin(2.0 * PI * fase); break;
            case Forma::RUIDO:
                // A new random level at each period: pitched noise, as a
                // sound chip's noise channel makes it.
                if (i == 0 || fase + dt >= 1.0) {
                    semente_ ^= semente_ << 13;
                    semente_ ^= semente_ >> 17;
                    semente_ ^= semente_ << 5;
                    ruido = static_cast<double>(semente_ % 2001u) / 1000.0 - 1.0;
                }
                v = ruido;
                break;
        }
        fase += dt;
        if (fase >= 1.0) fase -= 1.0;

        double envelope = n.ataque > 0.0 ? std::min(1.0, t / n.ataque) : 1.0;
        if (n.queda > 0.0) envelope *= std::exp(-t / n.queda);
        const double restante = n.duracao - t;
        if (n.soltura > 0.0 && restante < n.soltura) envelope *= std::max(0.0, restante / n.soltura);
        amostras_[static_cast<size_t>(k)] += n.volume * envelope * v;
    }
}

void Sintese::normalizar(double pico) {
    double maior = 0.0;
    for (double a : amostras_) maior = std::max(maior, std::fabs(a));
    if (maior <= 0.0) return;
    for (double& a : amostras_) a *= pico / maior;
}

std::vector<int16_t> Sintese::pcm() const {
    std::vector<int16_t> saida(amostras_.size());
    // The last 5 ms fall to silence whatever the voices left there.
    const size_t cauda = static_cast<size_t>(frequencia_ / 200);
    for (size_t i = 0; i < amostras_.size(); ++i) {
        double a = amostras_[i];
        const size_t restantes = amostras_.size() - i;
        if (restantes <= cauda) a *= static_cast<double>(restantes - 1) / static_cast<double>(cauda);
        saida[i] = static_cast<int16_t>(std::lround(std::clamp(a, -1.0, 1.0) * 32767.0));
    }
    return saida;
}

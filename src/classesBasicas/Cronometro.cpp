#include "classesBasicas/Cronometro.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Read from the frame loop only, but a test may swap it while a timer thread
// runs, so keep it atomic.
std::atomic<Cronometro::FonteTempo> fonteTempo{&Cronometro::relogioReal};

clock_t agora() { return static_cast<clock_t>(fonteTempo.load(std::memory_order_relaxed)()); }

}  // namespace

long long Cronometro::relogioReal() {
    // Wall time: clock() would count processor time of every thread.
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Cronometro::setFonteTempo(FonteTempo fonte) {
    fonteTempo.store(fonte ? fonte : &Cronometro::relogioReal, std::memory_order_relaxed);
}

Cronometro::Cronometro() = default;

int Cronometro::medirDecorrido() const {
    // Ticks are milliseconds; the detour through seconds mirrors how a
    // clock() reading at 1000 ticks per second is converted.
    double segundos = static_cast<double>(agora() - inicio) / 1000.0;
    return static_cast<int>(segundos * 1000.0) + offset;
}

void Cronometro::iniciar() {
    parado = false;
    inicio = agora();
}

void Cronometro::parar() {
    medicao = medirDecorrido();
    offset = medicao;
    parado = true;
}

void Cronometro::resetar() {
    medicao = 0;
    offset = 0;
    inicio = agora();
}

int Cronometro::getMedicao() {
    if (!parado) medicao = medirDecorrido();
    return medicao;
}

bool Cronometro::isParado() const { return parado; }

void Cronometro::wait(int msecs) {
    Cronometro cronometro;
    cronometro.iniciar();
    wait(msecs, cronometro);
}

void Cronometro::wait(int msecs, Cronometro& cronometro) {
    for (int lido; (lido = cronometro.getMedicao()) <= msecs;) {
        // The reading passes msecs no sooner than msecs - lido ms from now.
        // Sleep to a millisecond before that, then look closely: a sleep may
        // run late by a fraction of a millisecond, and a stand-in clock
        // moved by hand only ever sees sleeps as long as what is left.
        const int folga = msecs - lido - 1;
        if (folga > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(folga));
        else
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

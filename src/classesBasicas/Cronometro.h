#pragma once

#include <ctime>

// A stopwatch in whole milliseconds of elapsed time: the frame pacing, the
// gravity timer of every object and the runners' animation all read one.
class Cronometro {
public:
    // Milliseconds since some fixed moment. The game reads a monotonic clock;
    // tests put a clock of their own here to make time exact.
    using FonteTempo = long long (*)();

    Cronometro();

    void iniciar();
    void parar();
    void resetar();
    int getMedicao();
    bool isParado() const;

    // Busy-waits until more than `msecs` milliseconds have passed.
    static void wait(int msecs);

    static void setFonteTempo(FonteTempo fonte);  // null restores the real clock
    static long long relogioReal();

private:
    int medirDecorrido() const;

    clock_t inicio = 0;   // clock reading at the last iniciar or resetar, in ms
    int medicao = 0;      // last measurement
    int offset = 0;       // time carried over from before the last iniciar
    bool parado = true;
};

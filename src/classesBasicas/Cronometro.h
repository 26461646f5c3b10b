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

    // Returns once the stopwatch's own reading is more than `msecs`: at
    // least msecs + 1 whole milliseconds. Sleeps most of the time, so the
    // frame loop leaves the processor alone between frames.
    static void wait(int msecs);
    // The same wait, counted from `desde`'s start rather than from the call:
    // what happened since (showing the frame on the window) counts in it.
    static void wait(int msecs, Cronometro& desde);

    static void setFonteTempo(FonteTempo fonte);  // null restores the real clock
    static long long relogioReal();

private:
    int medirDecorrido() const;

    clock_t inicio = 0;   // clock reading at the last iniciar or resetar, in ms
    int medicao = 0;      // last measurement
    int offset = 0;       // time carried over from before the last iniciar
    bool parado = true;
};

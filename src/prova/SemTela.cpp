#include "prova/SemTela.h"

#include "classesBasicas/Cronometro.h"

#include <allegro.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace semTela {
namespace {

std::atomic<long long> agoraFalso{1'000'000};

long long lerRelogioFalso() { return agoraFalso.load(); }

}  // namespace

void iniciarAllegro() {
    static bool iniciado = false;
    if (iniciado) return;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) throw std::runtime_error("install_allegro failed");
    set_color_depth(32);
    // Under the display-less driver 32-bit pixels are laid out r=0, g=8,
    // b=16; the game's window lays them out r=16, g=8, b=0.
    _rgb_r_shift_32 = 16;
    _rgb_g_shift_32 = 8;
    _rgb_b_shift_32 = 0;
    screen = create_bitmap(640, 480);
    iniciado = true;
}

void usarRelogioFalso() { Cronometro::setFonteTempo(&lerRelogioFalso); }
void avancar(long long ms) { agoraFalso += ms; }
void usarRelogioReal() { Cronometro::setFonteTempo(nullptr); }

}  // namespace semTela

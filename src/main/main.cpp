#include "main/main.h"

#include <allegro.h>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void falhaInicio(const char* oQue) {
    std::fprintf(stderr, "avesso: %s%s%s\n", oQue, allegro_error[0] ? ": " : "", allegro_error);
    allegro_exit();
    std::exit(EXIT_FAILURE);
}

}  // namespace

void init() {
    if (allegro_init() != 0) falhaInicio("cannot start the game library (is there a display?)");
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
        falhaInicio("cannot open a 640x480 window");
    if (install_timer() != 0) falhaInicio("cannot install the timer");
    if (install_keyboard() != 0) falhaInicio("cannot install the keyboard");
}

void deinit() {
    clear_keybuf();
    allegro_exit();
}

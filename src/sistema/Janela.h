#pragma once

#include <string>

// The game's window: the 640 x 480 picture shown enlarged by a whole factor
// (each of its pixels a square block), fullscreen through the window
// manager, and each picture sent to the display the moment it is put on the
// window rather than on Allegro's next look at the display. Every screen
// draws into Tela's picture; the window is the one place it goes out.
class Janela {
public:
    // What the player asked for, on the command line or in the file.
    struct Pedido {
        std::string escala;      // "auto" or a number, as written; empty for 1
        std::string ondeEscala;  // where it was written, for a warning ("--scale", "FILE:LINE")
        bool telaCheia = false;
    };

    // Opens the window in 32-bit colour, after allegro_init, and gives Tela
    // its picture. A scale that cannot be used, or a window that cannot be
    // opened that large, is said on standard error and a smaller one is
    // opened; false when not even a 640 x 480 one opens.
    static bool abrir(const Pedido& pedido);
    // Lets go of the picture, before the library shuts down.
    static void fechar();

    // Fullscreen on or off (F11), keeping whatever the screens are doing:
    // the picture at the largest whole factor that fits, centred, with
    // black borders. Where no window manager offers fullscreen, it says so
    // once on standard error and the window stays as it is.
    static void alternarTelaCheia();
    static bool isTelaCheia();
    // The factor the picture is shown at now.
    static int getEscala();
};

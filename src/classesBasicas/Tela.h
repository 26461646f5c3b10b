#pragma once

struct BITMAP;

// The one 640 x 480 picture every screen composes, and the one way it
// reaches the window: screens draw into `logica()` and then call `mostrar()`.
// Whoever opens the window says how it is shown (enlarged, centred).
class Tela {
public:
    // The picture the screens draw into; until a window gives its own,
    // Allegro's `screen` (tests without a display draw there).
    static BITMAP* logica();
    // Puts the picture on the window now; without a window, nothing.
    static void mostrar();

    // The window's picture and what shows it; null for both lets go of them.
    static void usar(BITMAP* logica, void (*apresentar)(BITMAP* logica));
};

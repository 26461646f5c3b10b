#pragma once

#include <string>

// How many times the 640 x 480 picture is enlarged in the window: a whole
// factor, so each pixel of the picture is a square block of the window's.
// Chosen from what the player asked for and the desktop's size; a value that
// cannot be used gives one line to say so and the nearest one that can.
namespace escala {

// Above any screen made today (16 x 640 = 10240 pixels across).
constexpr int MAXIMA = 16;
// Room the window manager's frame, title bar and panels take around a
// window, left free when the scale is chosen to fit.
constexpr int MARGEM_LARGURA = 32;
constexpr int MARGEM_ALTURA = 80;

// The largest factor whose picture fits `largura` x `altura` (at least 1).
int maiorQueCabe(int largura, int altura);

struct Escolha {
    int fator = 1;
    std::string aviso;  // the line for standard error; empty when all was well
};

// The window's factor for `pedido` as written ("auto", a whole number; empty
// when nothing was asked, which gives 1), asked for in `onde` ("--scale", or
// a file and its line), on a desktop `largura` x `altura` (0 x 0 when its
// size is unknown). "auto" is the largest factor whose window, with its
// frame, fits the desktop; a number below 1, or not a number, gives 1; one
// that makes the window larger than the desktop gives the largest that fits.
Escolha escolher(const std::string& pedido, const std::string& onde, int largura, int altura);

}  // namespace escala

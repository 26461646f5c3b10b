#pragma once

#include "classesControle/Configuracao.h"

struct BITMAP;

// The players' controls where the painted pictures show them: the row on
// the Enter prompt and the block on the rules screen. The pictures show the
// usual keys; when the controls in use are others, or gamepads are there,
// the game writes them again over the picture, with the painter's pixel
// font, colours and keycaps.
namespace legendaTeclas {

// Whether the painted row shows these controls with `numPads` gamepads.
bool isComoPintada(const configuracao::Controles& controles, int numPads);

// Covers the row's band with the panel's colour and writes in it, for each
// player with a control, its number and keycaps: one row at the painted
// size when it fits, else two, else smaller.
void desenhar(BITMAP* destino, const configuracao::Controles& controles, int numPads);

// The controls the game runs with, over the prompt on `destino`, when the
// painted row does not show them.
void desenharEmUso(BITMAP* destino);

// Covers the rules screen's block of keys with the panel's colour and
// writes in it, as the painter does, a row per player with a control (its
// name, then its keycaps, smaller in a row that would not fit), then who has
// none.
void desenharRegras(BITMAP* destino, const configuracao::Controles& controles, int numPads);

// The same for the controls the game runs with, when the painted block
// does not show them.
void desenharRegrasEmUso(BITMAP* destino);

}  // namespace legendaTeclas

#pragma once

#include "classesControle/Configuracao.h"

struct BITMAP;

// The row of the players' controls on the Enter prompt. The painted picture
// shows the usual keys; when the controls in use are others, or gamepads
// are there, the game writes the row again over the picture, with the
// painter's pixel font, colours and keycaps.
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

}  // namespace legendaTeclas

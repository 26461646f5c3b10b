#pragma once

#include "classesControle/Configuracao.h"

// The players' controls while the game runs, and its gamepads. The controls
// are set once at start-up and read by the players' timer callbacks. The
// gamepads are polled by a callback of their own on the same 1 ms timer,
// the only caller of poll_joystick: it turns each new press of a player's
// button into a press that waits, as a key's does in key[], until a flip
// uses it up or the button is let go.
namespace comandos {

// Replaces every player's controls; the usual ones until then.
void definir(const configuracao::Controles& controles);
configuracao::Controles atuais();

// Player `numPlayer`'s flip key, or -1.
int tecla(int numPlayer);

// Installs Allegro's joystick driver and, when it finds gamepads, polls them
// every millisecond. Without gamepads nothing stays installed.
void instalarPads();
// Stops the polling and removes the driver; before Allegro shuts down.
void removerPads();
// How many gamepads the polling reads.
int numPads();

// Whether player `numPlayer` has a press of its button to act on, and
// using it up (whether there was one).
bool isBotaoApertado(int numPlayer);
bool consumirBotao(int numPlayer);

}  // namespace comandos

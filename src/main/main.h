#pragma once

#include "main/Niveis.h"

#include <string>

class Mapa;
class Runner;

// Start-up and shutdown of the game library.

// Opens the 640 x 480 window in 32-bit colour and installs the timer and the
// keyboard. When any of it fails it says so on standard error and ends the
// program with a non-zero code: nothing can be shown without a window.
void init();
// Releases the keyboard buffer and shuts the library down.
void deinit();

// Players' controls.

// Runner of player i + 1 while a level is played, else null.
extern Runner* pointPlayers[niveis::MAX_JOGADORES];

// Timer callback, every millisecond for each runner: flips the runner's
// gravity when its player's key is down and the runner stands.
void controle(void* player);
// Removes the callbacks of runners 1 to numPlayers and clears their entries.
void descarregarControle(int numPlayers);

// Level builders.

// Builds `nivel`'s map with one runner per player (entry i of `players` is
// the sprite sheet of player i + 1), the screen-speed columns and the finish
// line. `aoCriarRunner`, if given, runs for each runner just before it is
// inserted. Throws the map's int when a level picture cannot be loaded.
Mapa* montarNivel(const niveis::Nivel& nivel, const std::string* players, int numPlayers,
                  void (*aoCriarRunner)(int indice, Runner* runner));

// The game's two levels: loading picture, map, runners with their key
// callbacks installed. The caller owns the map.
Mapa* carregaMapa1(std::string* players, int numPlayers);
Mapa* carregaMapa2(std::string* players, int numPlayers);

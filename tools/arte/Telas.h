#pragma once

#include "niveis/Quadro.h"

#include <string>

// The pictures of the menus and full screens, and the pieces the game blits
// over them. Each piece is painted on the same solid panel colour as the
// spot of the background it covers, so it blends in.
namespace telas {

// Main menu background, and its items in normal or highlighted form.
Quadro menu();
Quadro rotuloJogadores(bool destaque);            // "PLAYERS", 153 x 34
Quadro algarismo(int n, bool destaque);           // digit n (1..6), 33 high
Quadro itemMenu(const std::string& texto, int largura, int altura, bool destaque);

Quadro creditos();
Quadro instrucoes();
Quadro pausa();
Quadro carregando();
Quadro parabens();
// Mask colour everywhere but a banner: drawn over the level's first frame.
Quadro entrada();

// Character selection.
Quadro selecao();
Quadro molduraVazia();                 // an empty slot, 80 x 80
Quadro cursor(int jogador);            // player 1..6's cursor frame, 80 x 80
Quadro retrato(int personagem, bool ocupado);  // runner 1..6 thumbnail, 70 x 70

// The program's icon, 64 x 64 on the mask colour: runner 1 on the ceiling
// of a tile of the game's world, and the flip arrow.
Quadro icone();

}  // namespace telas

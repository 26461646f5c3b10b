#pragma once

#include "dados/Fonte.h"

// Where the menus put their pieces. The game copies each piece there, the
// painter paints the backgrounds around those places, and the tests check
// both (the end-to-end harness reads this file), so each number lives here
// only.
namespace leiaute {

// A piece copied from its picture's top-left corner.
struct Peca {
    int x, y, largura, altura;
};

constexpr int ALTURA_ITEM = 33;
constexpr int LINHA_JOGADORES = 294;  // the row of the digits, in the menu and the selection

// The digits 1 to 6: their widths, and where the main menu puts them.
constexpr int LARGURA_ALGARISMO[6] = {13, 19, 20, 19, 19, 20};
constexpr int X_ALGARISMO_MENU[6] = {304, 333, 369, 404, 438, 472};

// The main menu's other items.
constexpr Peca ROTULO_JOGADORES = {131, 294, 153, 34};
constexpr Peca INTEGRANTES = {130, 340, 122, 33};
constexpr Peca INSTRUCOES = {130, 383, 114, 33};
constexpr Peca SAIR = {130, 425, 133, 33};

// The character selection: the frame of character k at SLOT_X + SLOT_PASSO k,
// its thumbnail MINIATURA_MARGEM further in, and the digit of the player
// choosing after the word PLAYER.
constexpr int SLOT_X = 67;
constexpr int SLOT_Y = 339;
constexpr int SLOT_PASSO = 85;
constexpr int SLOT_LADO = 80;
constexpr int MINIATURA_MARGEM = 5;
constexpr int MINIATURA_LADO = 70;
constexpr int ALGARISMO_SELECAO_X = 255;

// The Enter prompt: its panel, and the band inside it that holds the row of
// the players' keys, painted again by the game when the keys are others.
constexpr Peca PAINEL_ENTRADA = {50, 346, 541, 113};
constexpr Peca TECLAS_ENTRADA = {53, 384, 535, 44};

// The rules screen: the block of the players' keys, painted again by the
// game when the keys are others. One row per player from REGRAS_TOPO,
// REGRAS_PASSO apart: the player's name at REGRAS_NOME_X, REGRAS_NOME_DY
// below the top of the keycaps at REGRAS_TECLA_X. The runners without a
// key are named in two lines of prose (REGRAS_LINHA apart) from
// REGRAS_SEM_TECLA_DY below the last row. Under the block, at REGRAS_SOM_Y,
// the key that mutes the sound, which no configuration changes.
constexpr Peca TECLAS_REGRAS = {40, 234, 346, 166};
constexpr int REGRAS_SOM_Y = 402;
constexpr int REGRAS_TOPO = 242;
constexpr int REGRAS_PASSO = 27;
constexpr int REGRAS_NOME_X = 52;
constexpr int REGRAS_NOME_DY = 3;
constexpr int REGRAS_TECLA_X = 160;
constexpr int REGRAS_SEM_TECLA_DY = 6;
constexpr int REGRAS_LINHA = 20;
static_assert(TECLAS_REGRAS.y + TECLAS_REGRAS.altura < REGRAS_SOM_Y, "the players' keys never cover the sound key");

// A keycap around a key's name written in the pixel font at `escala`: the
// name starts margemTecla columns and topoTecla rows in, and the cap is
// margemTecla wider on each side than the name.
constexpr int alturaTecla(int escala) { return fonte::ALTURA * escala + 6; }
constexpr int margemTecla(int escala) { return 2 * escala + 1; }
constexpr int topoTecla(int escala) { return 2 * escala; }

}  // namespace leiaute

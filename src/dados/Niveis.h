#pragma once

#include "dados/Medidas.h"

#include <string>
#include <vector>

// The game's levels: what every level shares (its size, where the runners
// start), what one level is made of besides its pictures, and the built-in
// campaign, played when no other levels are asked for. A level's speed
// columns and finish line are written in its text file with its terrain
// (niveis/README.md), and read from there by the game, the picture
// generator and the tests alike.
namespace niveis {

constexpr int COMPRIMENTO = 18000;  // level length in pixels
constexpr int ALTURA = medidas::ALTURA_TELA;  // a level is as high as the screen

// Runner i (from 0) starts at (X_INICIAL, Y_INICIAL + PASSO_Y * i).
constexpr int MAX_JOGADORES = 6;
constexpr int X_INICIAL = 320;
constexpr int Y_INICIAL = 102;
constexpr int PASSO_Y = 47;
constexpr int LARGURA_RUNNER = medidas::LARGURA_RUNNER;
constexpr int ALTURA_RUNNER = medidas::ALTURA_RUNNER;

// Screen-speed columns stand at y = Y_BOOST_TELA (the bottom of a full-height box).
constexpr int Y_BOOST_TELA = ALTURA;

struct BoostTelaNivel {
    int x;
    int velocidade;  // pixels per frame from this column on
};

// One level as the builder places it.
struct Nivel {
    std::string texto;    // the text file it was read from
    std::string visual;   // picture the players see
    std::string colisao;  // black is solid, white is free
    std::vector<BoostTelaNivel> boosts;  // in the order they are placed
    int chegadaX = 0;     // finish line: column chegadaX,
    int chegadaY = 0;     // rows chegadaY - alturaChegada to chegadaY
    int alturaChegada = 0;
};

// Where the built-in levels' text files lie, under the game's data folder.
inline constexpr const char* PASTA = "niveis";

// A level of the built-in campaign: its text file, under PASTA, and the
// two pictures the build paints from it.
struct ArquivosNivel {
    const char* texto;
    const char* visual;
    const char* colisao;
};

// The built-in campaign, in playing order. The picture generator and its
// build rules read this list too: a level added here is painted, played
// and tested.
inline constexpr ArquivosNivel NIVEIS[] = {
    {"nivel1.txt", "src/Img/Jogo/visual1.bmp", "src/Img/Jogo/mapa_colisao1.bmp"},
    {"nivel2.txt", "src/Img/Jogo/visual2.bmp", "src/Img/Jogo/mapacolisao2.bmp"},
};
constexpr int NUM_NIVEIS = static_cast<int>(sizeof NIVEIS / sizeof NIVEIS[0]);

}  // namespace niveis

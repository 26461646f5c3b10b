#pragma once

#include "dados/Medidas.h"

// The game's levels, in playing order: the text each is painted from, its
// pictures, and what it is made of besides them: where the runners start,
// where the screen-speed columns stand and how fast they make the view
// scroll, and where the finish line is. The level builders and the game
// flow play exactly this table; the picture generator, its build rules and
// the tests read it too, so a level added here is seen by everything at once.
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

struct Nivel {
    const char* texto;     // the level as text, a file of niveis/
    const char* visual;    // picture the players see
    const char* colisao;   // black is solid, white is free
    const BoostTelaNivel* boosts;
    int numBoosts;
    int chegadaX;          // finish line: column chegadaX,
    int chegadaY;          // rows chegadaY - alturaChegada to chegadaY
    int alturaChegada;
};

inline constexpr BoostTelaNivel BOOSTS_NIVEL1[] = {
    {2, 10}, {5000, 13}, {10400, 15}, {14000, 30}, {16700, 15},
};

inline constexpr BoostTelaNivel BOOSTS_NIVEL2[] = {
    {2, 11}, {5550, 20}, {9250, 12}, {13000, 18}, {14850, 25}, {15370, 18},
};

template <int N>
constexpr int contar(const BoostTelaNivel (&)[N]) {
    return N;
}

inline constexpr Nivel NIVEIS[] = {
    {"nivel1.txt", "src/Img/Jogo/visual1.bmp", "src/Img/Jogo/mapa_colisao1.bmp",
     BOOSTS_NIVEL1, contar(BOOSTS_NIVEL1), 440, 300, 40},
    {"nivel2.txt", "src/Img/Jogo/visual2.bmp", "src/Img/Jogo/mapacolisao2.bmp",
     BOOSTS_NIVEL2, contar(BOOSTS_NIVEL2), 16427, 440, 75},
};
constexpr int NUM_NIVEIS = static_cast<int>(sizeof NIVEIS / sizeof NIVEIS[0]);

// The first two levels by the names the builders carregaMapa1 and
// carregaMapa2 play.
inline constexpr const Nivel& NIVEL1 = NIVEIS[0];
inline constexpr const Nivel& NIVEL2 = NIVEIS[1];

}  // namespace niveis

#pragma once

// What the two levels are made of besides their pictures: where the runners
// start, where the screen-speed columns stand and how fast they make the view
// scroll, and where the finish line is. The level builders place exactly
// this, and the picture generator and the playability tests read it too, so
// a change here is seen by everything at once.
namespace niveis {

constexpr int COMPRIMENTO = 18000;  // level length in pixels
constexpr int ALTURA = 480;

// Runner i (from 0) starts at (X_INICIAL, Y_INICIAL + PASSO_Y * i).
constexpr int MAX_JOGADORES = 6;
constexpr int X_INICIAL = 320;
constexpr int Y_INICIAL = 102;
constexpr int PASSO_Y = 47;
constexpr int LARGURA_RUNNER = 42;
constexpr int ALTURA_RUNNER = 47;

// Screen-speed columns stand at y = Y_BOOST_TELA (the bottom of a full-height box).
constexpr int Y_BOOST_TELA = 480;

struct BoostTelaNivel {
    int x;
    int velocidade;  // pixels per frame from this column on
};

struct Nivel {
    const char* visual;    // picture the players see
    const char* colisao;   // black is solid, white is free
    const BoostTelaNivel* boosts;
    int numBoosts;
    int chegadaX;          // finish line: column chegadaX,
    int chegadaY;          // rows chegadaY - alturaChegada to chegadaY
    int alturaChegada;
};

constexpr BoostTelaNivel BOOSTS_NIVEL1[] = {
    {2, 10}, {5000, 13}, {10400, 15}, {14000, 24}, {16700, 15},
};

constexpr BoostTelaNivel BOOSTS_NIVEL2[] = {
    {2, 11}, {5550, 20}, {9250, 12}, {13000, 18}, {14850, 25}, {15370, 18},
};

constexpr Nivel NIVEL1 = {
    "src/Img/Jogo/visual1.bmp", "src/Img/Jogo/mapa_colisao1.bmp",
    BOOSTS_NIVEL1, static_cast<int>(sizeof BOOSTS_NIVEL1 / sizeof BOOSTS_NIVEL1[0]),
    440, 300, 40,
};

constexpr Nivel NIVEL2 = {
    "src/Img/Jogo/visual2.bmp", "src/Img/Jogo/mapacolisao2.bmp",
    BOOSTS_NIVEL2, static_cast<int>(sizeof BOOSTS_NIVEL2 / sizeof BOOSTS_NIVEL2[0]),
    16427, 440, 75,
};

}  // namespace niveis

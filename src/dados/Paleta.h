#pragma once

#include <cstdint>

// The one palette every picture of the game is painted from (16 colours
// chosen once, plus the mask colour that sprites leave transparent).
namespace paleta {

constexpr uint32_t NOITE = 0x1A1C2C;      // near-black outline
constexpr uint32_t AMEIXA = 0x5D275D;
constexpr uint32_t VINHO = 0xB13E53;
constexpr uint32_t LARANJA = 0xEF7D57;
constexpr uint32_t AREIA = 0xFFCD75;
constexpr uint32_t LIMA = 0xA7F070;
constexpr uint32_t VERDE = 0x38B764;
constexpr uint32_t PETROLEO = 0x257179;
constexpr uint32_t MARINHO = 0x29366F;
constexpr uint32_t AZUL = 0x3B5DC9;
constexpr uint32_t CELESTE = 0x41A6F6;
constexpr uint32_t CIANO = 0x73EFF7;
constexpr uint32_t BRANCO = 0xF4F4F4;
constexpr uint32_t NEVOA = 0x94B0C2;
constexpr uint32_t ARDOSIA = 0x566C86;
constexpr uint32_t GRAFITE = 0x333C57;

// The colour of each player, 1 to 6, on every screen (the game's own
// drawing uses it too).
constexpr uint32_t JOGADORES[6] = {LARANJA, CELESTE, LIMA, AREIA, CIANO, BRANCO};

// Allegro skips this colour when drawing a sprite.
constexpr uint32_t MASCARA = 0xFF00FF;

// The collision pictures use exactly these two.
constexpr uint32_t LIVRE = 0xFFFFFF;
constexpr uint32_t SOLIDO = 0x000000;

constexpr uint32_t TODAS[16] = {NOITE,  AMEIXA,  VINHO, LARANJA, AREIA, LIMA,  VERDE,   PETROLEO,
                                MARINHO, AZUL, CELESTE, CIANO, BRANCO, NEVOA, ARDOSIA, GRAFITE};

}  // namespace paleta

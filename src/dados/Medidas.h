#pragma once

// The sizes every screen, picture and rule of the game is built on.
namespace medidas {

// The picture every screen draws: the window shows it.
constexpr int LARGURA_TELA = 640;
constexpr int ALTURA_TELA = 480;

// A runner's picture, one frame of its sprite sheet; its collision box is
// one pixel wider and taller (both ends included).
constexpr int LARGURA_RUNNER = 42;
constexpr int ALTURA_RUNNER = 47;

// A runner's sprite sheet: QUADROS_CHAO running frames side by side in its
// top row, QUADROS_AR airborne ones in a row ALTURA_RUNNER + 2 lower.
constexpr int QUADROS_CHAO = 5;
constexpr int QUADROS_AR = 4;

}  // namespace medidas

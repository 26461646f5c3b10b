#pragma once

#include <allegro.h>

// The flip key of each player, as the game reads it and as its pictures and
// README name it. Players 5 and 6 have none.
namespace teclasJogadores {

struct Tecla {
    int codigo;             // Allegro's scancode
    const char* nome;       // as the rules screen writes it
    const char* nomeCurto;  // as the Enter prompt writes it
};

constexpr int COM_TECLA = 4;
constexpr Tecla PADRAO[COM_TECLA] = {
    {KEY_X, "X", "X"},
    {KEY_M, "M", "M"},
    {KEY_RIGHT, "RIGHT ARROW", "RIGHT"},
    {KEY_LCONTROL, "LEFT CTRL", "LEFT CTRL"},
};

}  // namespace teclasJogadores

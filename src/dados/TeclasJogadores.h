#pragma once

// The flip key of each player when nothing else is configured, as the
// configuration file, the rules screen and the Enter prompt name it.
// Players 5 and 6 have none.
namespace teclasJogadores {

struct Tecla {
    const char* arquivo;    // as the configuration file writes it: Allegro's KEY_ name without KEY_
    const char* nome;       // as the rules screen writes it
    const char* nomeCurto;  // as the Enter prompt writes it
};

constexpr int COM_TECLA = 4;
constexpr Tecla PADRAO[COM_TECLA] = {
    {"X", "X", "X"},
    {"M", "M", "M"},
    {"RIGHT", "RIGHT ARROW", "RIGHT"},
    {"LCONTROL", "LEFT CTRL", "LEFT CTRL"},
};

}  // namespace teclasJogadores

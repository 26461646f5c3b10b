#pragma once

#include "dados/Sons.h"

#include <array>
#include <string>
#include <vector>

// The players' controls and the file in the user's config folder that may
// change them. Each of the six players may have a flip key and a gamepad
// button; the file gives some of them others, and the music's and the
// effects' volumes; whatever it does not give, or gives wrongly, stays as
// usual. The game reads it, never writes it.
namespace configuracao {

constexpr int JOGADORES = 6;
constexpr int NENHUM = -1;       // no key, or no gamepad
constexpr int MAX_PADS = 8;      // Allegro's MAX_JOYSTICKS
constexpr int MAX_BOTOES = 32;   // Allegro's MAX_JOYSTICK_BUTTONS

// What flips one player's runner.
struct Comando {
    int tecla = NENHUM;  // Allegro's scancode
    int pad = NENHUM;    // gamepad, 0 the first one Allegro finds
    int botao = 0;       // button of that gamepad, 0 the first

    bool operator==(const Comando& outro) const {
        return tecla == outro.tecla && pad == outro.pad && botao == outro.botao;
    }
    bool operator!=(const Comando& outro) const { return !(*this == outro); }
};

// Entry i for player i + 1.
using Controles = std::array<Comando, JOGADORES>;

// X, M, Right arrow and Left Control for players 1 to 4, no key for 5 and 6;
// pad k's first button for player k + 1.
Controles padrao();

// The [window] section: how large the window opens, and whether fullscreen.
struct PedidoJanela {
    std::string escala;   // `scale` as written ("auto", a number), checked when the window opens; empty when absent
    int linhaEscala = 0;  // its line in the file
    bool telaCheia = false;
};

// The [sound] section: the music's and the effects' volumes, 0 to 100.
struct Volumes {
    int musica = sons::MUSICA_PADRAO;
    int efeitos = sons::EFEITOS_PADRAO;
};

// What a reading gives: the controls, the window asked for, the volumes, and
// one line for each entry that was refused (naming the file and the line),
// to be shown to the user.
struct Leitura {
    Controles controles = padrao();
    PedidoJanela janela;
    Volumes volumes;
    std::vector<std::string> avisos;
};

// $XDG_CONFIG_HOME/avesso/avesso.cfg, else ~/.config/avesso/avesso.cfg;
// empty when neither folder is known.
std::string caminhoPadrao();

// Reads the file at `caminho` through Allegro's configuration functions,
// which must be installed; Allegro's own configuration is left as it was
// found and nothing is written. No file gives the usual controls and
// volumes and no warning; anything but a regular file of UTF-8 text (a
// folder, a named pipe, a file that cannot be read) gives them with one
// warning, without waiting on it. A byte order mark is skipped.
Leitura ler(const std::string& caminho);

// How the Enter prompt writes a key ("X", "LEFT CTRL"); null for a scancode
// the file cannot name.
const char* nomeCurto(int tecla);

}  // namespace configuracao

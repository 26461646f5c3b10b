#include "classesControle/Comandos.h"

#include <allegro.h>

#include <atomic>

namespace comandos {
namespace {

using configuracao::JOGADORES;
using configuracao::NENHUM;

// Written on the main thread, read on the timer thread.
struct Controles {
    std::atomic<int> tecla[JOGADORES];
    std::atomic<int> pad[JOGADORES];
    std::atomic<int> botao[JOGADORES];
    Controles() { guardar(configuracao::padrao()); }
    void guardar(const configuracao::Controles& c) {
        for (int j = 0; j < JOGADORES; ++j) {
            tecla[j] = c[static_cast<std::size_t>(j)].tecla;
            pad[j] = c[static_cast<std::size_t>(j)].pad;
            botao[j] = c[static_cast<std::size_t>(j)].botao;
        }
    }
};

Controles& controles() {
    static Controles c;
    return c;
}

// Per player, kept by the polling callback.
std::atomic<bool> segurado[JOGADORES];  // the button was down at the last poll
std::atomic<bool> apertado[JOGADORES];  // a press not yet used nor let go

std::atomic<int> pads{0};  // polled gamepads; 0 while no polling runs

bool valido(int numPlayer) { return numPlayer >= 1 && numPlayer <= JOGADORES; }

// On the timer thread, every millisecond.
void lerPads() {
    poll_joystick();
    Controles& c = controles();
    for (int j = 0; j < JOGADORES; ++j) {
        const int pad = c.pad[j], botao = c.botao[j];
        const bool baixo = pad != NENHUM && pad < num_joysticks && botao < joy[pad].num_buttons &&
                           joy[pad].button[botao].b != 0;
        // A new press waits; letting go drops it, used or not.
        if (!baixo)
            apertado[j] = false;
        else if (!segurado[j])
            apertado[j] = true;
        segurado[j] = baixo;
    }
}

}  // namespace

void definir(const configuracao::Controles& c) { controles().guardar(c); }

configuracao::Controles atuais() {
    configuracao::Controles saida;
    Controles& c = controles();
    for (int j = 0; j < JOGADORES; ++j)
        saida[static_cast<std::size_t>(j)] = {c.tecla[j], c.pad[j], c.botao[j]};
    return saida;
}

int tecla(int numPlayer) { return valido(numPlayer) ? controles().tecla[numPlayer - 1].load() : -1; }

void instalarPads() {
    if (pads > 0) return;
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0) return;
    if (num_joysticks <= 0) {
        remove_joystick();
        return;
    }
    controles();  // built here, not first on the timer thread
    pads = num_joysticks;
    install_int(lerPads, 1);
}

void removerPads() {
    if (pads == 0) return;
    // Once remove_int returns the callback no longer runs, and the driver can go.
    remove_int(lerPads);
    remove_joystick();
    pads = 0;
    for (int j = 0; j < JOGADORES; ++j) segurado[j] = apertado[j] = false;
}

int numPads() { return pads; }

bool isBotaoApertado(int numPlayer) { return valido(numPlayer) && apertado[numPlayer - 1]; }

bool consumirBotao(int numPlayer) { return valido(numPlayer) && apertado[numPlayer - 1].exchange(false); }

}  // namespace comandos

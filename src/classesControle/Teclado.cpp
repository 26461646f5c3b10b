#include "classesControle/Teclado.h"

#include <allegro.h>

#include <algorithm>
#include <atomic>

namespace {

// Per scancode, one word that the input thread's hook, the screens and the
// players' timer callbacks change together, so no press is lost between two
// of them.
constexpr unsigned SEGURADA = 1u;  // held, as the hook last heard
constexpr unsigned USADA = 2u;     // the press being held was used up
constexpr unsigned TRAVADA = 4u;   // used up and held across a new screen
constexpr unsigned BITS = 3;       // above them: presses heard and not used yet
constexpr unsigned MAX_GUARDADAS = 8;  // more than anyone presses between two looks
std::atomic<unsigned> estado[KEY_MAX];

unsigned guardadas(unsigned e) { return e >> BITS; }
unsigned comGuardadas(unsigned e, unsigned n) { return (e & ((1u << BITS) - 1)) | (n << BITS); }

// Applies `mudar` to the word of `tecla` at once; returns the word it found.
template <typename F>
unsigned mudarEstado(int tecla, F mudar) {
    unsigned velho = estado[tecla].load();
    while (!estado[tecla].compare_exchange_weak(velho, mudar(velho))) {
    }
    return velho;
}

bool valida(int tecla) { return tecla > 0 && tecla < KEY_MAX; }

int ler(int tecla) { return __atomic_load_n(&key[tecla], __ATOMIC_ACQUIRE); }
void zerar(int tecla) { __atomic_store_n(&key[tecla], 0, __ATOMIC_RELEASE); }

}  // namespace

void Teclado::instalar() { keyboard_lowlevel_callback = registrarEvento; }

void Teclado::registrarEvento(int scancode) {
    const int tecla = scancode & 0x7F;
    if (!valida(tecla)) return;  // key[] has no entry for it either
    if (scancode & 0x80) {
        // Its presses stay heard: one too short for key[] still acts.
        estado[tecla].fetch_and(~(SEGURADA | USADA | TRAVADA));
        return;
    }
    const unsigned velho = mudarEstado(tecla, [](unsigned e) {
        if (e & SEGURADA) return e;  // a repeat, which key[] shows
        return comGuardadas(SEGURADA, std::min(guardadas(e) + 1, MAX_GUARDADAS));
    });
    // A repeat: Allegro has just set key[] again.
    if ((velho & SEGURADA) && (velho & TRAVADA)) zerar(tecla);
}

bool Teclado::isApertada(int tecla) {
    if (!valida(tecla)) return false;
    const unsigned e = estado[tecla].load();
    if (guardadas(e) > 0) return true;
    // The check of TRAVADA covers the moment between Allegro setting key[]
    // for a repeat and the hook clearing it.
    return ler(tecla) != 0 && !((e & TRAVADA) && (e & SEGURADA));
}

bool Teclado::consumir(int tecla) {
    if (!isApertada(tecla)) return false;
    mudarEstado(tecla, [](unsigned e) {
        const unsigned n = guardadas(e);
        return comGuardadas(e, n > 0 ? n - 1 : 0) | USADA;
    });
    zerar(tecla);
    return true;
}

void Teclado::esquecerSoltas(int tecla) {
    if (!valida(tecla)) return;
    mudarEstado(tecla, [](unsigned e) {
        return comGuardadas(e, (e & SEGURADA) ? std::min(guardadas(e), 1u) : 0u);
    });
}

namespace {

struct Global {
    int tecla;
    void (*acao)();
};
constexpr int MAX_GLOBAIS = 4;
Global globais[MAX_GLOBAIS];
int numGlobais = 0;

}  // namespace

void Teclado::registrarGlobal(int tecla, void (*acao)()) {
    for (int i = 0; i < numGlobais; ++i)
        if (globais[i].tecla == tecla) {
            globais[i].acao = acao;
            return;
        }
    if (numGlobais < MAX_GLOBAIS && valida(tecla)) globais[numGlobais++] = {tecla, acao};
}

void Teclado::atenderGlobais() {
    for (int i = 0; i < numGlobais; ++i)
        if (consumir(globais[i].tecla)) globais[i].acao();
}

void Teclado::novaTela() {
    for (int t = 1; t < KEY_MAX; ++t)
        mudarEstado(t, [](unsigned e) {
            if (!(e & SEGURADA)) return comGuardadas(e, 0);
            // Used here and held on: one press, which the next screen must not see.
            if (e & USADA) return comGuardadas(e | TRAVADA, 0);
            return e;
        });
}

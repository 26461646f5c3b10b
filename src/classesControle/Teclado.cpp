#include "classesControle/Teclado.h"

#include <allegro.h>

#include <atomic>

namespace {

// Per scancode, written by the input thread's hook and by the screens.
std::atomic<bool> segurada[KEY_MAX];  // held, as the hook last heard
std::atomic<bool> usada[KEY_MAX];     // the press being held was used up
std::atomic<bool> travada[KEY_MAX];   // used up and held across a new screen

bool valida(int tecla) { return tecla > 0 && tecla < KEY_MAX; }

int ler(int tecla) { return __atomic_load_n(&key[tecla], __ATOMIC_ACQUIRE); }
void zerar(int tecla) { __atomic_store_n(&key[tecla], 0, __ATOMIC_RELEASE); }

}  // namespace

void Teclado::instalar() { keyboard_lowlevel_callback = registrarEvento; }

void Teclado::registrarEvento(int scancode) {
    const int tecla = scancode & 0x7F;
    if (scancode & 0x80) {
        segurada[tecla] = false;
        usada[tecla] = false;
        travada[tecla] = false;
    } else if (segurada[tecla].exchange(true)) {
        // A repeat: Allegro has just set key[] again.
        if (travada[tecla]) zerar(tecla);
    } else {
        usada[tecla] = false;
        travada[tecla] = false;
    }
}

bool Teclado::isApertada(int tecla) {
    // The check of travada covers the moment between Allegro setting key[]
    // for a repeat and the hook clearing it.
    return valida(tecla) && ler(tecla) != 0 && !(travada[tecla] && segurada[tecla]);
}

bool Teclado::consumir(int tecla) {
    if (!isApertada(tecla)) return false;
    usada[tecla] = true;
    zerar(tecla);
    return true;
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
        if (segurada[t] && usada[t]) travada[t] = true;
}

#include "main/main.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"

#include <allegro.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void falhaInicio(const char* oQue) {
    std::fprintf(stderr, "avesso: %s%s%s\n", oQue, allegro_error[0] ? ": " : "", allegro_error);
    allegro_exit();
    std::exit(EXIT_FAILURE);
}

// Flip key of each player number; runners 5 and 6 have none.
int teclaDoJogador(int numPlayer) {
    switch (numPlayer) {
        case 1: return KEY_X;
        case 2: return KEY_M;
        case 3: return KEY_RIGHT;
        case 4: return KEY_LCONTROL;
        default: return -1;
    }
}

void mostrarCarregando() {
    BITMAP* carregando = Imagem::carregar("src/Img/menu/bg_carregando.bmp");
    if (!carregando) return;
    draw_sprite(screen, carregando, 0, 0);
    destroy_bitmap(carregando);
}

void instalarControle(int indice, Runner* runner) {
    pointPlayers[indice] = runner;
    install_param_int(controle, runner, 1);
}

}  // namespace

void init() {
    if (allegro_init() != 0) falhaInicio("cannot start the game library (is there a display?)");
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
        falhaInicio("cannot open a 640x480 window");
    if (install_timer() != 0) falhaInicio("cannot install the timer");
    if (install_keyboard() != 0) falhaInicio("cannot install the keyboard");
}

void deinit() {
    clear_keybuf();
    allegro_exit();
}

Runner* pointPlayers[niveis::MAX_JOGADORES] = {};

void controle(void* player) {
    // One flag for every runner: a call that would start while another is
    // inside skips its poll; the next tick polls again.
    static std::atomic<int> semaforo{0};
    Runner* runner = static_cast<Runner*>(player);
    int tecla = teclaDoJogador(runner->getNumPlayer());
    if (semaforo.exchange(1) != 0) return;
    // key[] is written by the keyboard thread; read and consume the press
    // with atomic accesses.
    if (tecla >= 0 && __atomic_load_n(&key[tecla], __ATOMIC_ACQUIRE) != 0 && runner->isNoChao()) {
        runner->inverterGravidade();
        __atomic_store_n(&key[tecla], 0, __ATOMIC_RELEASE);
    }
    semaforo.store(0);
}

void descarregarControle(int numPlayers) {
    for (int i = 0; i < numPlayers; ++i) {
        remove_param_int(controle, pointPlayers[i]);
        pointPlayers[i] = nullptr;
    }
}

Mapa* montarNivel(const niveis::Nivel& nivel, const std::string* players, int numPlayers,
                  void (*aoCriarRunner)(int indice, Runner* runner)) {
    Mapa* retorno = new Mapa(nivel.visual, nivel.colisao, niveis::COMPRIMENTO, nullptr);
    for (int i = 0; i < numPlayers; ++i) {
        Runner* runner = new Runner(players[i], Ponto(niveis::X_INICIAL, niveis::Y_INICIAL + niveis::PASSO_Y * i),
                                    niveis::LARGURA_RUNNER, niveis::ALTURA_RUNNER, false, i + 1);
        if (aoCriarRunner) aoCriarRunner(i, runner);
        retorno->inserirObjeto("player", runner, true);
    }
    for (int b = 0; b < nivel.numBoosts; ++b) {
        Ponto posicao(nivel.boosts[b].x, niveis::Y_BOOST_TELA);
        retorno->inserirObjeto("boostTela", new BoostTela(posicao, nivel.boosts[b].velocidade), false);
    }
    retorno->inserirObjeto("linhaChegada",
                           new LinhaChegada(Ponto(nivel.chegadaX, nivel.chegadaY), nivel.alturaChegada),
                           false);
    return retorno;
}

Mapa* carregaMapa1(std::string* players, int numPlayers) {
    mostrarCarregando();
    return montarNivel(niveis::NIVEL1, players, numPlayers, instalarControle);
}

Mapa* carregaMapa2(std::string* players, int numPlayers) {
    mostrarCarregando();
    return montarNivel(niveis::NIVEL2, players, numPlayers, instalarControle);
}

#include "main/main.h"

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Imagem.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Som.h"
#include "classesControle/Menu.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"

#include <allegro.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

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

void botaoFechar() { Menu::pedirSaida(); }

// The General MIDI patches the build links next to the game when the system
// has them (Debian's freepats): an index whose patch paths are relative to
// its own folder, as Allegro's synthesizer reads them.
const char* const PATCHES = "freepats/default.cfg";

bool existe(const char* caminho) {
    struct stat info;
    return stat(caminho, &info) == 0;
}

// A picture shown until Enter; a missing one leaves the screen as it is.
void mostrarAteEnter(const char* caminho) {
    BITMAP* figura = Imagem::carregar(caminho);
    if (figura) draw_sprite(screen, figura, 0, 0);
    while (!key[KEY_ENTER] && !Menu::isSaidaPedida()) rest(1);
    if (figura) destroy_bitmap(figura);
}

}  // namespace

void init() {
    if (allegro_init() != 0) falhaInicio("cannot start the game library (is there a display?)");
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0)
        falhaInicio("cannot open a 640x480 window");
    set_window_title("AVESSO");
    set_close_button_callback(botaoFechar);
    if (install_timer() != 0) falhaInicio("cannot install the timer");
    if (install_keyboard() != 0) falhaInicio("cannot install the keyboard");
}

void deinit() {
    clear_keybuf();
    allegro_exit();
}

void iniciarSom() {
    if (existe(PATCHES)) {
        // Kept in memory only, so Allegro writes no configuration file.
        set_config_data("", 0);
        set_config_string("sound", "patches", PATCHES);
    }
    install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, "");
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

void jogarNivel(int numero, std::string* players, int numPlayers, DesfechoNivel& desfecho) {
    const niveis::Nivel& nivel = numero == 1 ? niveis::NIVEL1 : niveis::NIVEL2;
    Mapa* mapa = nullptr;
    try {
        mapa = numero == 1 ? carregaMapa1(players, numPlayers) : carregaMapa2(players, numPlayers);
    } catch (int erro) {
        throw std::runtime_error(std::string("cannot load the level picture ") +
                                 (erro == 1 ? nivel.visual : nivel.colisao) + " (missing or damaged)");
    } catch (const std::bad_alloc&) {
        throw std::runtime_error("not enough memory to build the level");
    }

    bool morreuTodos = false;
    mapa->atualizarMapa();
    mostrarAteEnter("src/Img/menu/enter.bmp");  // Enter stays set: it also starts the race

    while (!morreuTodos && !mapa->isOver() && !key[KEY_ESC] && !key[KEY_F10] && !Menu::isSaidaPedida()) {
        morreuTodos = mapa->atualizarMapa();
        if (key[KEY_P]) {
            key[KEY_P] = 0;
            Menu::pause();
        }
        Cronometro::wait(33);
    }

    // Level 1 lets a won race decide before F10; level 2 lets F10 decide first.
    const bool esc = key[KEY_ESC] || Menu::isSaidaPedida();
    if (esc) {
        desfecho.sairMapa2 = true;
        if (numero == 1) desfecho.sairMapa1 = true;
        key[KEY_ESC] = 0;
    } else if (numero == 1 && mapa->isOver()) {
        desfecho.sairMapa1 = true;
    } else if (numero == 1 && key[KEY_F10]) {
        desfecho.sairMapa1 = true;
        key[KEY_F10] = 0;
    } else if (numero == 2 && key[KEY_F10]) {
        desfecho.sairMapa2 = true;
        desfecho.telaParabens = true;
        key[KEY_F10] = 0;
    } else if (numero == 2 && mapa->isOver()) {
        desfecho.telaParabens = true;
        desfecho.sairMapa2 = true;
    }

    // The callbacks point at the runners: they go before the map does.
    descarregarControle(numPlayers);
    delete mapa;
}

int executarJogo() {
    init();
    bool fecharJogo = false;
    iniciarSom();
    MIDI* musica1 = Som::carregarMusica("principal1.mid");
    std::string* players = nullptr;  // the last selection, used by both levels and every retry
    int numPlayers = 0;

    while (!fecharJogo) {
        play_midi(musica1, 100);  // from the start, looping
        DesfechoNivel desfecho;
        bool terminouSelecao = false;

        while (!terminouSelecao && !fecharJogo) {
            int saidaDoMenu = Menu::menu();
            if (saidaDoMenu == Menu::QUIT) {
                fecharJogo = true;
                desfecho.sairMapa1 = desfecho.sairMapa2 = true;
                continue;
            }
            numPlayers = saidaDoMenu;
            std::string* escolha = Menu::BGselecao(numPlayers);
            if (escolha) {
                delete[] players;
                players = escolha;
                terminouSelecao = true;
            }
        }

        try {
            while (!desfecho.sairMapa1 && !fecharJogo) jogarNivel(1, players, numPlayers, desfecho);
            while (!desfecho.sairMapa2 && !fecharJogo) jogarNivel(2, players, numPlayers, desfecho);
        } catch (const std::runtime_error& erro) {
            if (musica1) destroy_midi(musica1);
            delete[] players;
            deinit();
            std::fprintf(stderr, "avesso: %s\n", erro.what());
            return 1;
        }

        if (desfecho.telaParabens && !fecharJogo) {
            mostrarAteEnter("src/Img/menu/parabens.bmp");
            key[KEY_ENTER] = 0;  // the same press must not act on the menu
        }
    }

    if (musica1) destroy_midi(musica1);
    delete[] players;
    deinit();
    return 0;
}

#include "main/main.h"

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Figura.h"
#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Som.h"
#include "classesControle/Menu.h"
#include "classesControle/Teclado.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"
#include "main/Comandos.h"
#include "main/Configuracao.h"
#include "main/LegendaTeclas.h"
#include "main/Processo.h"

#include <allegro.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

namespace {

[[noreturn]] void falhaInicio(const char* oQue) {
    std::fprintf(stderr, "avesso: %s%s%s\n", oQue, allegro_error[0] ? ": " : "", allegro_error);
    allegro_exit();
    std::exit(EXIT_FAILURE);
}

// Flip key of each player number, as the configuration left it; -1 for none.
int teclaDoJogador(int numPlayer) { return comandos::tecla(numPlayer); }

// The players' controls from the user's configuration file, once, before
// any level; each refused entry is said on standard error.
void lerConfiguracao() {
    const configuracao::Leitura leitura = configuracao::ler(configuracao::caminhoPadrao());
    for (const std::string& aviso : leitura.avisos) std::fprintf(stderr, "%s\n", aviso.c_str());
    comandos::definir(leitura.controles);
}

void mostrarCarregando() { Figura("src/Img/menu/bg_carregando.bmp").desenhar(screen, 0, 0); }

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

// A picture shown until Enter, which it leaves down; a missing one leaves
// the screen as it is. `porCima`, when given, draws over it.
void mostrarAteEnter(const char* caminho, void (*porCima)(BITMAP*) = nullptr) {
    Teclado::novaTela();
    Figura(caminho).desenhar(screen, 0, 0);
    if (porCima) porCima(screen);
    while (!Teclado::isApertada(KEY_ENTER) && !Menu::isSaidaPedida()) rest(1);
}

struct DestruirMidi {
    void operator()(MIDI* musica) const { destroy_midi(musica); }
};

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
    Teclado::instalar();
    comandos::instalarPads();  // none is fine: the keys play
    vigiarSaida();
}

void deinit() {
    comandos::removerPads();
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
    const int numPlayer = runner->getNumPlayer();
    int tecla = teclaDoJogador(numPlayer);
    if (semaforo.exchange(1) != 0) return;
    if (tecla >= 0 && Teclado::isApertada(tecla) && virarSeEmPe(*runner)) Teclado::consumir(tecla);
    // A button's press is used up and waits in the air just as a key's.
    if (comandos::isBotaoApertado(numPlayer) && virarSeEmPe(*runner)) comandos::consumirBotao(numPlayer);
    semaforo.store(0);
}

bool virarSeEmPe(Runner& runner) {
    if (!runner.isNoChao()) return false;
    runner.inverterGravidade();
    return true;
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

MotivoFim decidirDesfecho(int numero, bool esc, bool f10, bool venceu, DesfechoNivel& desfecho) {
    MotivoFim motivo = MotivoFim::REPETIR;
    if (esc)
        motivo = MotivoFim::ESC;
    else if (numero == 1 && venceu)
        motivo = MotivoFim::VITORIA;
    else if (f10)
        motivo = MotivoFim::F10;
    else if (venceu)
        motivo = MotivoFim::VITORIA;

    switch (motivo) {
        case MotivoFim::ESC:
            // Leaving level 1 skips level 2 too.
            desfecho.sairMapa2 = true;
            if (numero == 1) desfecho.sairMapa1 = true;
            break;
        case MotivoFim::F10:
        case MotivoFim::VITORIA:
            if (numero == 1) {
                desfecho.sairMapa1 = true;
            } else {
                desfecho.sairMapa2 = true;
                desfecho.telaParabens = true;
            }
            break;
        case MotivoFim::REPETIR: break;
    }
    return motivo;
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
    // Enter stays set: it also starts the race.
    mostrarAteEnter("src/Img/menu/enter.bmp", legendaTeclas::desenharEmUso);

    Teclado::novaTela();
    auto apertada = Teclado::isApertada;
    while (!morreuTodos && !mapa->isOver() && !apertada(KEY_ESC) && !apertada(KEY_F10) && !Menu::isSaidaPedida()) {
        morreuTodos = mapa->atualizarMapa();
        if (Teclado::consumir(KEY_P)) {
            Menu::pause();
            Teclado::novaTela();
        }
        Cronometro::wait(33);
    }

    const bool esc = apertada(KEY_ESC) || Menu::isSaidaPedida();
    const MotivoFim motivo = decidirDesfecho(numero, esc, apertada(KEY_F10), mapa->isOver(), desfecho);
    switch (motivo) {
        case MotivoFim::ESC: Teclado::consumir(KEY_ESC); break;
        case MotivoFim::F10: Teclado::consumir(KEY_F10); break;
        default: break;
    }

    // The callbacks point at the runners: they go before the map does.
    descarregarControle(numPlayers);
    delete mapa;
    // Only a retry builds this level again from its kept pictures.
    if (motivo != MotivoFim::REPETIR) FigurasNivel::liberar();
}

int executarJogo() {
    init();
    lerConfiguracao();
    bool fecharJogo = false;
    iniciarSom();
    std::unique_ptr<MIDI, DestruirMidi> musica1(Som::carregarMusica("principal1.mid"));
    std::unique_ptr<std::string[]> players;  // the last selection, used by both levels and every retry
    int numPlayers = 0;
    int codigo = 0;

    while (!fecharJogo) {
        play_midi(musica1.get(), 100);  // from the start, looping
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
            if (std::string* escolha = Menu::BGselecao(numPlayers)) {
                players.reset(escolha);
                terminouSelecao = true;
            }
        }

        try {
            while (!desfecho.sairMapa1 && !fecharJogo) jogarNivel(1, players.get(), numPlayers, desfecho);
            while (!desfecho.sairMapa2 && !fecharJogo) jogarNivel(2, players.get(), numPlayers, desfecho);
        } catch (const std::runtime_error& erro) {
            std::fprintf(stderr, "avesso: %s\n", erro.what());
            codigo = 1;
            break;
        }

        if (desfecho.telaParabens && !fecharJogo) {
            mostrarAteEnter("src/Img/menu/parabens.bmp");
            Teclado::consumir(KEY_ENTER);  // the same press must not act on the menu
        }
    }

    // The music goes before the library that plays it.
    musica1.reset();
    deinit();
    return codigo;
}

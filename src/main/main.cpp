#include "main/main.h"

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Efeitos.h"
#include "classesBasicas/Figura.h"
#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Recursos.h"
#include "classesBasicas/Som.h"
#include "classesBasicas/Tela.h"
#include "classesControle/Comandos.h"
#include "classesControle/Configuracao.h"
#include "classesControle/LegendaTeclas.h"
#include "classesControle/Menu.h"
#include "classesControle/Teclado.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"
#include "dados/Figuras.h"
#include "dados/Medidas.h"
#include "main/ListaNiveis.h"
#include "main/NivelEmJogo.h"
#include "main/NiveisNovos.h"
#include "niveis/Campanha.h"
#include "sistema/Processo.h"

#include <allegro.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <sys/stat.h>

namespace {

[[noreturn]] void falhaInicio(const char* oQue) {
    Janela::fechar();
    std::fprintf(stderr, "avesso: %s%s%s\n", oQue, allegro_error[0] ? ": " : "", allegro_error);
    allegro_exit();
    std::exit(EXIT_FAILURE);
}

// Flip key of each player number, as the configuration left it; -1 for none.
int teclaDoJogador(int numPlayer) { return comandos::tecla(numPlayer); }

// The players' controls from the user's configuration file, once, before
// any level; each refused entry is said on standard error. Returns the
// window asked for: the command line's, with what it leaves unsaid taken
// from the file's [window] section. `--scale auto` leaves a scale the file
// names standing: the menu entry passes auto, and a player's own choice in
// the file must hold there too.
Janela::Pedido lerConfiguracao(const Janela::Pedido& daLinhaDeComando) {
    const std::string caminho = configuracao::caminhoPadrao();
    const configuracao::Leitura leitura = configuracao::ler(caminho);
    for (const std::string& aviso : leitura.avisos) std::fprintf(stderr, "%s\n", aviso.c_str());
    comandos::definir(leitura.controles);
    Efeitos::definirVolumes(leitura.volumes.musica, leitura.volumes.efeitos);
    Janela::Pedido pedido = daLinhaDeComando;
    if ((pedido.escala.empty() || pedido.escala == "auto") && !leitura.janela.escala.empty()) {
        pedido.escala = leitura.janela.escala;
        pedido.ondeEscala = caminho + ":" + std::to_string(leitura.janela.linhaEscala);
    }
    pedido.telaCheia = pedido.telaCheia || leitura.janela.telaCheia;
    return pedido;
}

void mostrarCarregando() {
    Figura(figuras::CARREGANDO).desenhar(Tela::logica(), 0, 0);
    Tela::mostrar();
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

// A picture shown until Enter, which it leaves down; a missing one leaves
// the screen as it is. `porCima`, when given, draws over it.
void mostrarAteEnter(const std::string& caminho, void (*porCima)(BITMAP*) = nullptr) {
    Teclado::novaTela();
    Figura(caminho).desenhar(Tela::logica(), 0, 0);
    if (porCima) porCima(Tela::logica());
    Tela::mostrar();
    while (!Teclado::isApertada(KEY_ENTER) && !Menu::isSaidaPedida()) {
        Teclado::atenderGlobais();
        Efeitos::tocarPendentes();  // flips made at the level's prompt
        // As the menus rest: Allegro's input thread updates key[] about
        // every 10 ms, so looking every 5 ms loses no press.
        rest(5);
    }
}

// Says on standard error why each level file was left out of `lista`, and
// whether anything is left to play; when nothing is, says that too.
bool possoJogar(const ListaNiveis& lista) {
    for (const std::string& erro : lista.getErros()) std::fprintf(stderr, "avesso: %s\n", erro.c_str());
    if (lista.isVazia()) std::fprintf(stderr, "avesso: no level to play\n");
    return !lista.isVazia();
}

}  // namespace

void init(const Janela::Pedido& daLinhaDeComando) {
    if (allegro_init() != 0) falhaInicio("cannot start the game library (is there a display?)");
    set_color_depth(32);
    // The file may say how large the window opens.
    if (!Janela::abrir(lerConfiguracao(daLinhaDeComando))) falhaInicio("cannot open the game's window");
    set_window_title("AVESSO");
    set_close_button_callback(botaoFechar);
    if (install_timer() != 0) falhaInicio("cannot install the timer");
    if (install_keyboard() != 0) falhaInicio("cannot install the keyboard");
    Teclado::instalar();
    Teclado::registrarGlobal(KEY_F11, Janela::alternarTelaCheia);
    comandos::instalarPads();  // none is fine: the keys play
    vigiarSaida();
}

void deinit() {
    comandos::removerPads();
    clear_keybuf();
    Janela::fechar();
    allegro_exit();
}

void iniciarSom() {
    if (existe(PATCHES)) {
        // Kept in memory only, so Allegro writes no configuration file.
        set_config_data("", 0);
        set_config_string("sound", "patches", PATCHES);
    }
    // Voices of their own for the music's synthesizer and for the effects,
    // so neither ever takes one from the other.
    reserve_voices(sons::VOZES_EFEITOS, sons::VOZES_MUSICA);
    const bool instalado = install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, "") == 0;
    Efeitos::iniciar(instalado && digi_driver && digi_driver->id != DIGI_NONE);
}

Runner* pointPlayers[niveis::MAX_JOGADORES] = {};

void controle(void* player) {
    // One flag for every runner: a call that would start while another is
    // inside skips its poll; the next tick polls again.
    static std::atomic<int> semaforo{0};
    // A flipped runner still stands until its next frame moves it. A poll
    // that finds a key's press and a button's both waiting flips once with
    // one of them; the other waits, as a press made in the air does, until
    // the runner has left the ground and landed, or the two would cancel
    // out. Per player, read and written only inside the flag.
    static bool esperaVoo[niveis::MAX_JOGADORES] = {};
    Runner* runner = static_cast<Runner*>(player);
    const int numPlayer = runner->getNumPlayer();
    int tecla = teclaDoJogador(numPlayer);
    if (numPlayer < 1 || numPlayer > niveis::MAX_JOGADORES) return;
    if (semaforo.exchange(1) != 0) return;
    bool& espera = esperaVoo[numPlayer - 1];
    if (!runner->isNoChao()) espera = false;
    // A key's press that cannot flip now (in the air, or waiting for the
    // landing after a double press) waits only while its key is held.
    if (tecla >= 0 && (espera || !runner->isNoChao())) Teclado::esquecerSoltas(tecla);
    // A button's press is used up and waits in the air just as a key's.
    const bool teclaApertada = tecla >= 0 && Teclado::isApertada(tecla);
    const bool botaoApertado = comandos::isBotaoApertado(numPlayer);
    if (!espera && (teclaApertada || botaoApertado) && virarSeEmPe(*runner)) {
        if (teclaApertada)
            Teclado::consumir(tecla);
        else
            comandos::consumirBotao(numPlayer);
        espera = teclaApertada && botaoApertado;
    }
    semaforo.store(0);
}

bool virarSeEmPe(Runner& runner) {
    if (!runner.isNoChao()) return false;
    runner.inverterGravidade();
    // Heard from the next frame on, with the first picture of the flip.
    Efeitos::anunciarVirada(runner.getNumPlayer(), runner.getSinalGravidade() < 0);
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
    // Nothing outside the map learns of its runners until the level is
    // whole: when memory runs out part way, the map and all it holds go,
    // and no key callback is left pointing at a runner that went with it.
    std::unique_ptr<Mapa> mapa(new Mapa(nivel.visual, nivel.colisao, niveis::COMPRIMENTO, nullptr));
    auto inserir = [&mapa](const char* nome, std::unique_ptr<Objeto> objeto, bool isHeroi) {
        mapa->inserirObjeto(nome, objeto.get(), isHeroi);
        return objeto.release();
    };
    Runner* runners[niveis::MAX_JOGADORES] = {};
    for (int i = 0; i < numPlayers; ++i) {
        Ponto inicio(niveis::X_INICIAL, niveis::Y_INICIAL + niveis::PASSO_Y * i);
        runners[i] = static_cast<Runner*>(inserir(
            "player",
            std::make_unique<Runner>(players[i], inicio, niveis::LARGURA_RUNNER, niveis::ALTURA_RUNNER, false, i + 1),
            true));
    }
    for (const niveis::BoostTelaNivel& boost : nivel.boosts) {
        Ponto posicao(boost.x, niveis::Y_BOOST_TELA);
        inserir("boostTela", std::make_unique<BoostTela>(posicao, boost.velocidade), false);
    }
    inserir("linhaChegada",
            std::make_unique<LinhaChegada>(Ponto(nivel.chegadaX, nivel.chegadaY), nivel.alturaChegada), false);
    if (aoCriarRunner)
        for (int i = 0; i < numPlayers; ++i) aoCriarRunner(i, runners[i]);
    return mapa.release();
}

Mapa* carregaNivel(int numero, std::string* players, int numPlayers) {
    mostrarCarregando();
    return montarNivel(niveis::daCampanha(numero), players, numPlayers, instalarControle);
}

Mapa* carregaMapa1(std::string* players, int numPlayers) { return carregaNivel(1, players, numPlayers); }

Mapa* carregaMapa2(std::string* players, int numPlayers) { return carregaNivel(2, players, numPlayers); }

MotivoFim decidirDesfecho(int numero, bool esc, bool f10, bool venceu, DesfechoNivel& desfecho) {
    const int ultimo = static_cast<int>(desfecho.sairMapa.size());
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
            // Leaving a level skips the ones after it too.
            for (int n = numero; n <= ultimo; ++n) desfecho.sairMapa[n - 1] = true;
            break;
        case MotivoFim::F10:
        case MotivoFim::VITORIA:
            desfecho.sairMapa[numero - 1] = true;
            if (numero == ultimo) desfecho.telaParabens = true;
            break;
        case MotivoFim::REPETIR: break;
    }
    return motivo;
}

namespace {

// Level `numero`'s map, with its callbacks, or the reason it cannot be built.
Mapa* construirNivel(ListaNiveis& lista, int numero, std::string* players, int numPlayers) {
    mostrarCarregando();
    try {
        const niveis::Nivel& nivel = lista.preparar(numero);
        try {
            return montarNivel(nivel, players, numPlayers, instalarControle);
        } catch (int erro) {
            throw std::runtime_error("cannot load the level picture " + (erro == 1 ? nivel.visual : nivel.colisao) +
                                     " (missing or damaged)");
        }
    } catch (const std::bad_alloc&) {
        throw std::runtime_error("not enough memory to build the level");
    }
}

// From the Enter prompt to the end of the race; what decided the end.
MotivoFim jogarTentativa(int numero, Mapa& mapa, DesfechoNivel& desfecho) {
    bool morreuTodos = false;
    mapa.atualizarMapa();
    // Enter stays set: it also starts the race.
    mostrarAteEnter(figuras::ENTRADA, legendaTeclas::desenharEmUso);

    Teclado::novaTela();
    auto apertada = Teclado::isApertada;
    while (!morreuTodos && !mapa.isOver() && !apertada(KEY_ESC) && !apertada(KEY_F10) && !Menu::isSaidaPedida()) {
        Efeitos::tocarPendentes();
        morreuTodos = mapa.atualizarMapa();
        // The frame's wait starts before the picture goes to the window: a
        // larger window takes longer to fill, and must not slow the race.
        Cronometro quadro;
        quadro.iniciar();
        Tela::mostrar();
        Teclado::atenderGlobais();
        if (Teclado::consumir(KEY_P)) {
            Menu::pause();
            Teclado::novaTela();
            quadro.resetar();
        }
        Cronometro::wait(33, quadro);
    }

    const bool esc = apertada(KEY_ESC) || Menu::isSaidaPedida();
    const MotivoFim motivo = decidirDesfecho(numero, esc, apertada(KEY_F10), mapa.isOver(), desfecho);
    switch (motivo) {
        case MotivoFim::ESC:
            if (Teclado::consumir(KEY_ESC)) Efeitos::tocar(sons::Efeito::MENU_VOLTAR);
            break;
        case MotivoFim::F10: Teclado::consumir(KEY_F10); break;
        default: break;
    }
    return motivo;
}

}  // namespace

void jogarNivel(ListaNiveis& niveis, int numero, std::string* players, int numPlayers, DesfechoNivel& desfecho) {
    const NivelEmJogo emJogo(construirNivel(niveis, numero, players, numPlayers), numPlayers);
    jogarTentativa(numero, emJogo.getMapa(), desfecho);
}

int executarJogo(const Janela::Pedido& daLinhaDeComando) {
    ListaNiveis campanha = ListaNiveis::daCampanha();
    if (!possoJogar(campanha)) return 1;
    return executarJogo(daLinhaDeComando, campanha);
}

int jogarArquivos(const std::vector<std::string>& arquivos, const std::string& origem,
                  const Janela::Pedido& daLinhaDeComando) {
    ListaNiveis lista = ListaNiveis::dosArquivos(arquivos, origem);
    if (!possoJogar(lista)) return 1;
    return executarJogo(daLinhaDeComando, lista);
}

int jogarSemente(const std::string& semente, const Janela::Pedido& daLinhaDeComando) {
    const bool sorteada = semente == "random";
    const uint64_t n = sorteada ? NiveisNovos::sortearSemente() : std::stoull(semente);
    if (sorteada) {
        std::printf("seed %llu\n", static_cast<unsigned long long>(n));
        std::fflush(stdout);
    }
    // The makers start before the window opens, and run while it does.
    NiveisNovos novos(n, FigurasPintadas::pastaCache(), NiveisNovos::comandoAoLado());
    for (const std::string& erro : novos.getErros()) std::fprintf(stderr, "avesso: %s\n", erro.c_str());
    if (!novos.getErros().empty()) return 1;
    init(daLinhaDeComando);
    mostrarCarregando();
    Teclado::novaTela();
    bool sair = false;
    while (!sair && !novos.isPronto()) {
        Teclado::atenderGlobais();
        rest(10);
        sair = Menu::isSaidaPedida() || Teclado::consumir(KEY_ESC);
    }
    // Quitting, whatever the makers did meanwhile.
    if (sair || Menu::isSaidaPedida()) {
        deinit();
        return 0;
    }
    for (const std::string& erro : novos.getErros()) std::fprintf(stderr, "avesso: %s\n", erro.c_str());
    ListaNiveis lista = ListaNiveis::dosArquivos(novos.getArquivos(), "");
    if (!novos.getErros().empty() || !possoJogar(lista)) {
        deinit();
        return 1;
    }
    return jogarNiveis(lista);
}

int executarJogo(const Janela::Pedido& daLinhaDeComando, ListaNiveis& niveis) {
    // The first level's memory is made ready while the window opens and
    // the menus run; so again in every cycle, the last level having given
    // it back.
    FigurasNivel::prepararMemoria();
    init(daLinhaDeComando);
    return jogarNiveis(niveis);
}

int jogarNiveis(ListaNiveis& niveis) {
    bool fecharJogo = false;
    iniciarSom();
    // F12: M is player 2's, and no screen reads F12.
    Teclado::registrarGlobal(KEY_F12, Efeitos::alternarMudo);
    recursos::Midi musica1(Som::carregarMusica("principal1.mid"));
    std::unique_ptr<std::string[]> players;  // the last selection, used by both levels and every retry
    int numPlayers = 0;
    int codigo = 0;

    while (!fecharJogo) {
        play_midi(musica1.get(), 100);  // from the start, looping
        FigurasNivel::prepararMemoria();
        DesfechoNivel desfecho(niveis.tamanho());
        bool terminouSelecao = false;

        while (!terminouSelecao && !fecharJogo) {
            int saidaDoMenu = Menu::menu();
            if (saidaDoMenu == Menu::QUIT) {
                fecharJogo = true;
                desfecho.sairMapa.assign(desfecho.sairMapa.size(), true);
                continue;
            }
            numPlayers = saidaDoMenu;
            if (std::string* escolha = Menu::BGselecao(numPlayers)) {
                players.reset(escolha);
                terminouSelecao = true;
            }
        }

        try {
            for (int numero = 1; numero <= niveis.tamanho(); ++numero)
                while (!desfecho.sairMapa[numero - 1] && !fecharJogo)
                    jogarNivel(niveis, numero, players.get(), numPlayers, desfecho);
        } catch (const std::runtime_error& erro) {
            std::fprintf(stderr, "avesso: %s\n", erro.what());
            codigo = 1;
            break;
        }
        // The levels are left: their pictures and memory go. Between two
        // levels the memory stays, the next level's maps are built in it.
        FigurasNivel::liberar();

        if (desfecho.telaParabens && !fecharJogo) {
            mostrarAteEnter(figuras::PARABENS);
            Teclado::consumir(KEY_ENTER);  // the same press must not act on the menu
        }
    }

    // The music and the effects go before the library that plays them.
    musica1.reset();
    Efeitos::encerrar();
    deinit();
    return codigo;
}

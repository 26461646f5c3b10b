// What the sound effects cost a race and how soon a flip is heard: level 1
// with six runners in the game's real window, sound installed as the game
// installs it and the music playing, the game's frame loop (flips started,
// one map update, the keys, the stopwatch's wait), and a thread that
// presses the six players' keys at random moments while their runners
// stand, as players would. The same presses (one seed a round) with the
// effects at 0 and at their usual volume, 10 s each, in turn, for the given
// number of rounds (2 unless told); when every runner is out the level is
// built again, and that time is left out.
//
// For each flip it times, from the press and from the flip itself (the
// runner's gravity sign seen to change), the moment the game starts its
// sound: the main thread's call into the mixer.
//
// Run it from the build tree, under a display, with a sound device (a null
// one serves):
//   xvfb-run -a -s "-screen 0 640x480x24" ./bench/efeitos_quadros [rounds]
#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Efeitos.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Recursos.h"
#include "classesBasicas/Som.h"
#include "classesControle/Comandos.h"
#include "classesControle/Teclado.h"
#include "classesDerivadas/Runner.h"
#include "main/main.h"

#include "Medicao.h"

#include <allegro.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using medicao::cpuMs;
using medicao::ms;
using medicao::percentil;
using medicao::Relogio;
constexpr double DURACAO_S = 10.0;
constexpr int JOGADORES = niveis::MAX_JOGADORES;
const int TECLAS[JOGADORES] = {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL, KEY_Q, KEY_W};

// Resident memory of the process, in KB.
long residenteKb() {
    std::ifstream status("/proc/self/status");
    std::string linha;
    while (std::getline(status, linha))
        if (linha.rfind("VmRSS:", 0) == 0) return std::atol(linha.c_str() + 6);
    return 0;
}

long long agoraNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Relogio::now().time_since_epoch()).count();
}

// The runners the presser may touch; the main thread holds `guarda` while
// it builds or deletes a level.
std::mutex guarda;
Runner* runners[JOGADORES] = {};
std::atomic<bool> parar{false};
std::atomic<long long> apertou[JOGADORES], virou[JOGADORES];  // ns; 0 when none waits for its sound
std::atomic<long> quadro{0};                                    // frames begun
std::atomic<long> quadroDaVirada[JOGADORES];

// Presses a standing runner's key at random moments, holds it until the
// runner's sign changes (the flip), and notes both moments.
void apertador(unsigned semente) {
    std::mt19937 aleatorio(semente);
    std::uniform_int_distribution<int> intervalo(40, 160), jogador(0, JOGADORES - 1);
    while (!parar) {
        std::this_thread::sleep_for(std::chrono::milliseconds(intervalo(aleatorio)));
        const int j = jogador(aleatorio);
        std::lock_guard<std::mutex> trava(guarda);
        Runner* r = runners[j];
        if (!r || !r->isAtivo() || !r->isNoChao()) continue;
        const int sinal = r->getSinalGravidade();
        const long long aperto = agoraNs();
        __atomic_store_n(&key[TECLAS[j]], 1, __ATOMIC_RELEASE);
        const Relogio::time_point limite = Relogio::now() + std::chrono::milliseconds(50);
        while (r->getSinalGravidade() == sinal && Relogio::now() < limite)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        __atomic_store_n(&key[TECLAS[j]], 0, __ATOMIC_RELEASE);
        if (r->getSinalGravidade() != sinal) {
            quadroDaVirada[j] = quadro.load();
            apertou[j] = aperto;
            virou[j] = agoraNs();
        }
    }
}

std::vector<double> desdeAperto, desdeVirada;
int noQuadroSeguinte = 0, depois = 0;  // flips heard by the first frame begun after them, or later
Efeitos::Tocador mixer = nullptr;
int sonsIniciados = 0;

// Times each flip's sound as the game starts it, then starts it.
void medirEIniciar(sons::Efeito efeito, int jogador) {
    const long long agora = agoraNs();
    if ((efeito == sons::Efeito::VIRAR_TETO || efeito == sons::Efeito::VIRAR_CHAO) && jogador >= 1) {
        const long long v = virou[jogador - 1].exchange(0), a = apertou[jogador - 1].exchange(0);
        if (v) {
            desdeVirada.push_back(static_cast<double>(agora - v) / 1e6);
            (quadro.load() - quadroDaVirada[jogador - 1].load() <= 1 ? noQuadroSeguinte : depois) += 1;
        }
        if (a) desdeAperto.push_back(static_cast<double>(agora - a) / 1e6);
    }
    ++sonsIniciados;
    mixer(efeito, jogador);
}

struct Medida {
    std::vector<double> periodos;
    double cpu = 0;  // ms of processor time, every thread, the rebuilds left out
    int sons = 0, montagens = 0;
};

std::string players[JOGADORES];

Mapa* montar() {
    std::lock_guard<std::mutex> trava(guarda);
    Mapa* mapa = carregaMapa1(players, JOGADORES);
    for (int j = 0; j < JOGADORES; ++j) runners[j] = pointPlayers[j];
    mapa->atualizarMapa();
    return mapa;
}

void desmontar(Mapa* mapa) {
    std::lock_guard<std::mutex> trava(guarda);
    for (Runner*& r : runners) r = nullptr;
    descarregarControle(JOGADORES);
    delete mapa;
}

void correr(int volumeEfeitos, unsigned semente, Medida& m) {
    Efeitos::definirVolumes(100, volumeEfeitos);
    for (auto& a : apertou) a = 0;
    for (auto& v : virou) v = 0;
    Mapa* mapa = montar();
    parar = false;
    std::thread fio(apertador, semente);
    const int sonsAntes = sonsIniciados;
    const Relogio::time_point inicio = Relogio::now();
    Relogio::time_point anterior = inicio;
    double cpu = cpuMs();
    while (ms(Relogio::now() - inicio) < DURACAO_S * 1000.0) {
        ++quadro;
        Efeitos::tocarPendentes();
        const bool todosFora = mapa->atualizarMapa();
        Teclado::atenderGlobais();
        if (todosFora || mapa->isOver()) {
            m.cpu += cpuMs() - cpu;
            desmontar(mapa);
            mapa = montar();
            ++m.montagens;
            cpu = cpuMs();
            anterior = Relogio::now();
            continue;
        }
        Cronometro::wait(33);
        const Relogio::time_point agora = Relogio::now();
        m.periodos.push_back(ms(agora - anterior));
        anterior = agora;
    }
    m.cpu += cpuMs() - cpu;
    parar = true;
    fio.join();
    m.sons += sonsIniciados - sonsAntes;
    desmontar(mapa);
}

void resumir(const char* titulo, const Medida& m) {
    double parede = 0;
    for (double p : m.periodos) parede += p;
    std::printf("  %-24s %4zu frames  median %6.2f  p99 %6.2f  worst %6.2f ms  CPU %5.1f%% of a core"
                "  %4d sounds  %d rebuilds\n",
                titulo, m.periodos.size(), percentil(m.periodos, 0.5), percentil(m.periodos, 0.99),
                m.periodos.empty() ? 0.0 : *std::max_element(m.periodos.begin(), m.periodos.end()),
                100.0 * m.cpu / parede, m.sons, m.montagens);
}

void resumirAtraso(const char* titulo, const std::vector<double>& v) {
    std::printf("  %-36s %4zu flips  median %5.1f  p95 %5.1f  max %5.1f ms\n", titulo, v.size(), percentil(v, 0.5),
                percentil(v, 0.95), v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
}

}  // namespace

int main(int argc, char** argv) {
    const int rodadas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    init();
    for (int j = 0; j < JOGADORES; ++j) players[j] = "src/Img/Jogo/player " + std::to_string(j + 1) + "a.bmp";
    configuracao::Controles controles = configuracao::padrao();
    controles[4].tecla = KEY_Q;
    controles[5].tecla = KEY_W;
    comandos::definir(controles);
    iniciarSom();
    if (!digi_driver || digi_driver->id == DIGI_NONE) {
        std::fprintf(stderr, "efeitos_quadros: no sound device; give it one (a null ALSA device serves)\n");
        deinit();
        return 1;
    }
    recursos::Midi musica(Som::carregarMusica("principal1.mid"));
    play_midi(musica.get(), 1);
    mixer = Efeitos::setTocador(medirEIniciar);

    // What the samples hold, as loaded, and what loading them a second
    // time adds to the resident memory.
    size_t bytes = 0;
    long residente = 0;
    {
        recursos::Amostra amostras[sons::NUM_EFEITOS];
        const long antes = residenteKb();
        for (int e = 0; e < sons::NUM_EFEITOS; ++e) {
            recursos::Amostra& a = amostras[e];
            a.reset(Som::carregarEfeito(sons::caminho(static_cast<sons::Efeito>(e))));
            if (a) bytes += sizeof(SAMPLE) + a->len * static_cast<unsigned long>(a->bits / 8) * (a->stereo ? 2 : 1);
        }
        residente = residenteKb() - antes;
    }

    Medida desligados, ligados;
    try {
        for (int vez = 0; vez < rodadas; ++vez) {
            correr(0, 1234u + static_cast<unsigned>(vez), desligados);
            correr(sons::EFEITOS_PADRAO, 1234u + static_cast<unsigned>(vez), ligados);
        }
    } catch (int) {
        std::fprintf(stderr, "efeitos_quadros: cannot load level 1's pictures (run it from the build tree)\n");
        deinit();
        return 1;
    }
    Efeitos::setTocador(nullptr);
    musica.reset();
    Efeitos::encerrar();
    deinit();

    std::printf("level 1, six runners, random presses (one seed a round), music on, %d x %.0f s each, in turn\n",
                rodadas, DURACAO_S);
    resumir("effects 0", desligados);
    resumir("effects 70 (as usual)", ligados);
    std::printf("from the game's side, with the effects on:\n");
    resumirAtraso("flip -> its sound started", desdeVirada);
    resumirAtraso("key press -> its sound started", desdeAperto);
    std::printf("  started by the first frame begun after the flip: %d of %d\n", noQuadroSeguinte,
                noQuadroSeguinte + depois);
    std::printf("the %d effect samples hold %zu bytes (%.1f KB); loading them again added %ld KB resident\n",
                sons::NUM_EFEITOS, bytes, static_cast<double>(bytes) / 1024.0, residente);
    return 0;
}
END_OF_MAIN()

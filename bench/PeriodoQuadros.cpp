// How regular the game's frames are in its real window, what share of a
// core the frame loop takes, and how long a level takes to build: the
// game's own start-up, level 1 built with six runners by the game's
// builder, and the game's frame loop (one map update, then the stopwatch's
// wait).
//
// The frame loop runs for ten seconds with Cronometro::wait and ten with a
// busy wait that spins until the deadline, as a yardstick, twice in turn.
// Then the level is built ten times from its files (the kept pictures let
// go first, as when a level is entered) and ten times from the kept
// pictures (a retry).
//
// Run it from the build tree, under a display:
//   xvfb-run -a -s "-screen 0 640x480x24" ./bench/periodo_quadros [--so-montagem] [periods.txt]
// --so-montagem measures the builds only. The optional file gets every
// frame's period in milliseconds, one a line, of the sleeping loop.
#include "classesBasicas/Cronometro.h"
#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Imagem.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Tela.h"
#include "main/main.h"

#include "Medicao.h"

#include <allegro.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using medicao::cpuMs;
using medicao::ms;
using medicao::percentil;
using medicao::Relogio;

constexpr double ALVO_MS = 34.0;  // Cronometro::wait(33) returns once 34 whole ms have passed
constexpr double DURACAO_S = 10.0;
constexpr int MONTAGENS = 10;

long faltasDePagina() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_minflt + uso.ru_majflt;
}

// The frame wait the game had: spinning on the stopwatch.
void esperarGirando(int msecs) {
    Cronometro cronometro;
    cronometro.iniciar();
    while (cronometro.getMedicao() <= msecs) {
    }
}

struct Medida {
    std::vector<double> periodos;
    std::vector<double> atualizacoes;
    double cpu = 0;  // processor time over wall time
};

std::string players[niveis::MAX_JOGADORES];

// Ten seconds of level 1's frame loop on a freshly built map, waiting with
// `esperar` after every frame.
void correr(void (*esperar)(int), Medida& medida) {
    Mapa* mapa = carregaMapa1(players, niveis::MAX_JOGADORES);
    mapa->atualizarMapa();
    const size_t quadros = static_cast<size_t>(DURACAO_S * 1000.0 / ALVO_MS) * 2;
    medida.periodos.reserve(medida.periodos.size() + quadros);
    medida.atualizacoes.reserve(medida.atualizacoes.size() + quadros);
    const double cpuAntes = cpuMs();
    const Relogio::time_point inicio = Relogio::now();
    Relogio::time_point anterior = inicio;
    while (ms(Relogio::now() - inicio) < DURACAO_S * 1000.0) {
        const Relogio::time_point antes = Relogio::now();
        mapa->atualizarMapa();
        Tela::mostrar();
        medida.atualizacoes.push_back(ms(Relogio::now() - antes));
        esperar(33);
        const Relogio::time_point agora = Relogio::now();
        medida.periodos.push_back(ms(agora - anterior));
        anterior = agora;
    }
    medida.cpu += (cpuMs() - cpuAntes) / ms(Relogio::now() - inicio) / 2.0;  // two runs each
    descarregarControle(niveis::MAX_JOGADORES);
    delete mapa;
}

// What the player waits through, from the loading picture at the start of
// carregaMapa1 to the level's first frame on the screen.
double montar(long& faltas) {
    const long faltasAntes = faltasDePagina();
    const Relogio::time_point inicio = Relogio::now();
    Mapa* mapa = carregaMapa1(players, niveis::MAX_JOGADORES);
    mapa->atualizarMapa();
    Tela::mostrar();
    const double tempo = ms(Relogio::now() - inicio);
    faltas += faltasDePagina() - faltasAntes;
    descarregarControle(niveis::MAX_JOGADORES);
    delete mapa;
    return tempo;
}

void resumirTempos(const char* titulo, std::vector<double> t, const char* extra = "") {
    std::sort(t.begin(), t.end());
    std::printf("  %-44s min %7.1f  median %7.1f  max %7.1f ms%s\n", titulo, t.front(), percentil(t, 0.5), t.back(),
                extra);
}

void resumirQuadros(const char* titulo, const Medida& m) {
    std::printf("  %-26s %4zu frames  median %6.2f  p99 %6.2f  worst %6.2f ms  map update median %5.2f ms"
                "  CPU %5.1f%% of a core\n",
                titulo, m.periodos.size(), percentil(m.periodos, 0.5), percentil(m.periodos, 0.99),
                *std::max_element(m.periodos.begin(), m.periodos.end()), percentil(m.atualizacoes, 0.5),
                100.0 * m.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    const bool soMontagem = argc > 1 && std::string(argv[1]) == "--so-montagem";
    if (soMontagem) {
        --argc;
        ++argv;
    }
    init();
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i)
        players[i] = "src/Img/Jogo/player " + std::to_string(i + 1) + "a.bmp";

    Medida dormindo, girando;
    double primeira = 0;  // the first build in the process, in fresh memory
    long faltasPrimeira = 0;
    try {
        primeira = montar(faltasPrimeira);
        for (int vez = 0; vez < (soMontagem ? 0 : 2); ++vez) {
            correr(esperarGirando, girando);
            correr(Cronometro::wait, dormindo);
        }
    } catch (int) {
        std::fprintf(stderr, "periodo_quadros: cannot load level 1's pictures (run it from the build tree)\n");
        deinit();
        return 1;
    }

    // Building the level: from its files, as when the level is entered, and
    // from its kept pictures, as on a retry.
    std::vector<double> deArquivos, deGuardadas;
    long faltasArquivos = 0, faltasGuardadas = 0;
    for (int i = 0; i < MONTAGENS; ++i) {
        FigurasNivel::liberar();
        deArquivos.push_back(montar(faltasArquivos));
    }
    for (int i = 0; i < MONTAGENS; ++i) deGuardadas.push_back(montar(faltasGuardadas));

    // Where a build from the files goes: reading and decoding the two
    // pictures, by the game and by Allegro.
    std::vector<double> decodificar, allegro;
    for (int i = 0; i < MONTAGENS; ++i) {
        FigurasNivel::liberar();
        Relogio::time_point t = Relogio::now();
        for (const char* caminho : {niveis::NIVEIS[0].visual, niveis::NIVEIS[0].colisao})
            destroy_bitmap(FigurasNivel::criar(caminho));
        decodificar.push_back(ms(Relogio::now() - t));
        t = Relogio::now();
        for (const char* caminho : {niveis::NIVEIS[0].visual, niveis::NIVEIS[0].colisao})
            destroy_bitmap(Imagem::carregar(caminho));
        allegro.push_back(ms(Relogio::now() - t));
    }
    FigurasNivel::liberar();
    deinit();

    if (!soMontagem) {
        std::printf("level 1 with %d runners, %d x %.0f s of frames with each wait, in turn\n",
                    niveis::MAX_JOGADORES, 2, DURACAO_S);
        resumirQuadros("busy wait (yardstick)", girando);
        resumirQuadros("Cronometro::wait (the game)", dormindo);
    }
    std::printf("level build as the player sees it (carregaMapa1 + first frame), %d times each:\n", MONTAGENS);
    char extra[64];
    std::printf("  %-44s %7.1f ms  (%ld page faults)\n", "the first in the process", primeira, faltasPrimeira);
    std::snprintf(extra, sizeof extra, "  (%ld page faults a build)", faltasArquivos / MONTAGENS);
    resumirTempos("from the files (entering the level)", deArquivos, extra);
    std::snprintf(extra, sizeof extra, "  (%ld page faults a build)", faltasGuardadas / MONTAGENS);
    resumirTempos("from the kept pictures (a retry)", deGuardadas, extra);
    std::printf("the two level pictures alone, read into 32-bit bitmaps:\n");
    resumirTempos("decoded by the game (kept form + widening)", decodificar);
    resumirTempos("decoded by Allegro (load_bitmap)", allegro);

    if (argc > 1 && !soMontagem) {
        FILE* f = std::fopen(argv[1], "w");
        if (!f) {
            std::perror(argv[1]);
            return 1;
        }
        for (double p : dormindo.periodos) std::fprintf(f, "%.3f\n", p);
        std::fclose(f);
    }
    return 0;
}
END_OF_MAIN()

// How regular the game's frames are in its real window, and how long a
// player looks at the loading picture: the game's own start-up, level 1
// built with six runners by the game's builder, and the game's frame loop
// (one map update, then the stopwatch's wait) for ten seconds.
//
// Run it from the build tree, under a display:
//   xvfb-run -a -s "-screen 0 640x480x24" ./bench/periodo_quadros [periods.txt]
// The optional file gets every frame's period in milliseconds, one a line.
#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Imagem.h"
#include "classesBasicas/Mapa.h"
#include "main/main.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

constexpr double ALVO_MS = 34.0;  // Cronometro::wait(33) returns once 34 whole ms have passed
constexpr double DURACAO_S = 10.0;

double ms(Relogio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentil(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[i];
}

void resumir(const char* titulo, const std::vector<double>& tempos, bool contraAlvo) {
    if (tempos.empty()) {
        std::printf("%s: no frames\n", titulo);
        return;
    }
    double pior = *std::max_element(tempos.begin(), tempos.end());
    std::printf("%s: %zu frames, median %.2f ms, 95th percentile %.2f ms, worst %.2f ms", titulo, tempos.size(),
                percentil(tempos, 0.5), percentil(tempos, 0.95), pior);
    if (contraAlvo) {
        long acima = std::count_if(tempos.begin(), tempos.end(), [](double p) { return p > ALVO_MS + 1.0; });
        std::printf(" (aim %.0f ms; over %.0f ms: %ld)", ALVO_MS, ALVO_MS + 1.0, acima);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    init();

    std::string players[niveis::MAX_JOGADORES];
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i)
        players[i] = "src/Img/Jogo/player " + std::to_string(i + 1) + "a.bmp";

    // What the player waits through: the loading picture goes up at the start
    // of carregaMapa1, the level appears with the first update.
    const Relogio::time_point inicioCarga = Relogio::now();
    Mapa* mapa = nullptr;
    try {
        mapa = carregaMapa1(players, niveis::MAX_JOGADORES);
    } catch (int) {
        std::fprintf(stderr, "periodo_quadros: cannot load level 1's pictures (run it from the build tree)\n");
        deinit();
        return 1;
    }
    const Relogio::time_point montado = Relogio::now();
    mapa->atualizarMapa();
    const Relogio::time_point primeiroQuadro = Relogio::now();

    // Reserved up front: nothing is allocated inside the measured loop.
    std::vector<double> periodos;
    periodos.reserve(static_cast<size_t>(DURACAO_S * 1000.0 / ALVO_MS) * 2);
    std::vector<double> atualizacoes;
    atualizacoes.reserve(periodos.capacity());
    long quadroFim = -1;  // first frame after which no runner was in the race

    const Relogio::time_point inicio = Relogio::now();
    Relogio::time_point anterior = inicio;
    while (ms(Relogio::now() - inicio) < DURACAO_S * 1000.0) {
        const Relogio::time_point antes = Relogio::now();
        bool todosFora = mapa->atualizarMapa();
        atualizacoes.push_back(ms(Relogio::now() - antes));
        if (quadroFim < 0 && (todosFora || mapa->isOver())) quadroFim = static_cast<long>(atualizacoes.size());
        Cronometro::wait(33);
        const Relogio::time_point agora = Relogio::now();
        periodos.push_back(ms(agora - anterior));
        anterior = agora;
    }

    descarregarControle(niveis::MAX_JOGADORES);
    delete mapa;

    // The share of the build that is reading the two level pictures, the
    // same calls the map makes.
    const Relogio::time_point antesFiguras = Relogio::now();
    for (const char* caminho : {niveis::NIVEL1.visual, niveis::NIVEL1.colisao}) {
        BITMAP* figura = Imagem::carregar(caminho);
        if (figura) destroy_bitmap(figura);
    }
    const double msFiguras = ms(Relogio::now() - antesFiguras);
    deinit();

    std::printf("level 1 with %d runners, %.1f s of frames\n", niveis::MAX_JOGADORES, DURACAO_S);
    std::printf("level build seen by the player: %.1f ms (carregaMapa1 %.1f ms + first frame %.1f ms)\n",
                ms(primeiroQuadro - inicioCarga), ms(montado - inicioCarga), ms(primeiroQuadro - montado));
    std::printf("  of which reading the two level pictures: about %.1f ms (measured again afterwards)\n", msFiguras);
    resumir("frame period, all frames", periodos, true);
    if (quadroFim > 0 && quadroFim < static_cast<long>(periodos.size())) {
        std::printf("every runner was out after frame %ld; the rest ran with an empty race\n", quadroFim);
        resumir("frame period, runners racing",
                std::vector<double>(periodos.begin(), periodos.begin() + quadroFim), true);
    }
    resumir("map update alone", atualizacoes, false);

    if (argc > 1) {
        FILE* f = std::fopen(argv[1], "w");
        if (!f) {
            std::perror(argv[1]);
            return 1;
        }
        for (double p : periodos) std::fprintf(f, "%.3f\n", p);
        std::fclose(f);
    }
    return 0;
}
END_OF_MAIN()

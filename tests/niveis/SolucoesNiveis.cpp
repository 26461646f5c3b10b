// Prints a winning flip schedule for each level, to watch it in the game:
//   solucoes_niveis [1|2] [--tempos]
// Run it from the build folder (where the level pictures are). For each
// level: the frames to press the flip key at, the frame and column where
// each press flips the runner, whether every press still works 1 or 2
// frames late, and where runners that never flip drop out. --tempos also
// measures how long building each level's map takes (median of 11).
#include "prova/SemTela.h"
#include "prova/CorridaNivel.h"
#include "prova/Solucionador.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"
#include "niveis/Campanha.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

double segundosDesde(Relogio::time_point inicio) {
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

void semTecla(const niveis::Nivel& nivel) {
    std::printf("  with no key pressed:");
    for (int jogadores = 1; jogadores <= niveis::MAX_JOGADORES; ++jogadores) {
        CorridaNivel c(nivel, jogadores);
        int xSaida = 0;
        while (c.naCorrida() > 0 && c.getQuadro() < 1000) {
            for (int i = 0; i < jogadores; ++i)
                if (c.runner(i).isAtivo()) xSaida = std::max(xSaida, c.runner(i).getPosicao().getX());
            c.avancar();
        }
        int vencedores = 0;
        for (int i = 0; i < jogadores; ++i) vencedores += c.runner(i).isWinner() ? 1 : 0;
        std::printf(" %d player(s): %d won, all out by x = %d (frame %d);", jogadores, vencedores, xSaida,
                    c.getQuadro());
    }
    std::printf("\n");
}

void tempos(const niveis::Nivel& nivel) {
    std::vector<double> ms;
    for (int i = 0; i < 11; ++i) {
        const auto inicio = Relogio::now();
        delete new Mapa(nivel.visual, nivel.colisao, niveis::COMPRIMENTO, nullptr);
        ms.push_back(segundosDesde(inicio) * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  new Mapa(...): median %.0f ms (fastest %.0f, slowest %.0f)\n", ms[5], ms.front(), ms.back());
}

int mostrar(int numero, bool comTempos) {
    const niveis::Nivel& nivel = niveis::daCampanha(numero);
    const Objetivo objetivo = Objetivo::doNivel(nivel);
    std::printf("Level %d (%s)\n", numero,
                objetivo.exigeVitoria ? "across the finish line" : "still racing past x = 17000");
    const auto inicio = Relogio::now();
    Solucionador solucionador(nivel, objetivo);
    const auto cronograma = solucionador.resolver();
    const double busca = segundosDesde(inicio);
    if (!cronograma) {
        std::printf("  no schedule found: %s\n", solucionador.getRelato().c_str());
        return 1;
    }
    const Desfecho d = jogar(nivel, objetivo, *cronograma);
    std::printf("  %zu flips, found in %.1f s (%d races built, %d presses tried); the run %s at frame %d, x = %d\n",
                cronograma->apertos.size(), busca, solucionador.getCorridas(), solucionador.getSondagens(),
                d.alcancou ? "makes it" : "FAILS", d.quadros, d.x);
    for (std::size_t i = 0; i < cronograma->apertos.size(); ++i) {
        std::printf("  %2zu. press at frame %4d", i + 1, cronograma->apertos[i]);
        if (i < d.viradas.size()) std::printf("  -> flips at frame %4d, x = %5d", d.viradas[i].quadro, d.viradas[i].x);
        std::printf("\n");
    }
    const auto fatais = atrasosFatais(nivel, objetivo, *cronograma, Solucionador::ATRASO_TOLERADO);
    if (fatais.empty())
        std::printf("  every press still works 1 or 2 frames late\n");
    for (const AtrasoFatal& a : fatais)
        std::printf("  press %zu fails %d frame(s) late\n", a.aperto + 1, a.atraso);
    semTecla(nivel);
    if (comTempos) tempos(nivel);
    return d.alcancou && fatais.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    bool comTempos = false;
    std::vector<int> quais;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tempos") == 0)
            comTempos = true;
        else if (const int n = numeroDoNivel(argv[i]))
            quais.push_back(n);
        else {
            std::fprintf(stderr, "usage: %s [LEVEL...] [--tempos]   (from the build folder)\n", argv[0]);
            return 2;
        }
    }
    if (quais.empty())
        for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) quais.push_back(n);
    semTela::iniciarAllegro();
    int falhas = 0;
    for (int n : quais) falhas += mostrar(n, comTempos);
    return falhas == 0 ? 0 : 1;
}

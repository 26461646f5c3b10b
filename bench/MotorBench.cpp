// What a frame and a level build cost on this machine. The frame update is
// compared with the two 640 x 480 copies every frame must make anyway
// (restoring the visible window, showing it): the ratio is printed at the end.
#include "AllegroSemTela.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/Runner.h"
#include "dados/Paleta.h"
#include "niveis/Quadro.h"

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int COMPRIMENTO = 18000;

// An 18000 x 480 level with a floor and a ceiling end to end, a striped
// visual picture of the game's palette, in 8-bit (as the game's levels) or
// 24-bit BMP files.
struct Pictures {
    Pictures() {
        semTela::iniciar();
        Quadro colisao(COMPRIMENTO, 480, paleta::LIVRE);
        colisao.retangulo(0, 0, COMPRIMENTO - 1, 40, paleta::SOLIDO);
        colisao.retangulo(0, 420, COMPRIMENTO - 1, 479, paleta::SOLIDO);
        Quadro visual(COMPRIMENTO, 480, paleta::NOITE);
        for (int x = 0; x < COMPRIMENTO; x += 8) visual.retangulo(x, 0, x + 3, 479, paleta::TODAS[(x / 8) % 16]);
        colisao.salvarBmp(pasta.caminho() + "/colisao8.bmp");
        visual.salvarBmp(pasta.caminho() + "/visual8.bmp");

        BITMAP* b = create_bitmap(COMPRIMENTO, 480);
        clear_to_color(b, makecol(12, 34, 56));
        semTela::salvar(pasta.caminho() + "/visual24.bmp", b);
        destroy_bitmap(b);
    }
    semTela::PastaDeTrabalho pasta;
};

Pictures& pictures() {
    static Pictures p;
    return p;
}

void BM_ConstruirMapa8bits(benchmark::State& state) {
    pictures();
    for (auto _ : state) {
        Mapa mapa("visual8.bmp", "colisao8.bmp", COMPRIMENTO, nullptr);
        benchmark::DoNotOptimize(&mapa);
    }
}
BENCHMARK(BM_ConstruirMapa8bits)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly();

void BM_ConstruirMapa24bits(benchmark::State& state) {
    pictures();
    for (auto _ : state) {
        Mapa mapa("visual24.bmp", "colisao8.bmp", COMPRIMENTO, nullptr);
        benchmark::DoNotOptimize(&mapa);
    }
}
BENCHMARK(BM_ConstruirMapa24bits)->Unit(benchmark::kMillisecond)->Iterations(2)->Repetitions(5)->ReportAggregatesOnly();

// A level with six runners on the floor, the view at 30 pixels a frame, and
// seven full-height columns, as many objects as level 2 has.
std::unique_ptr<Mapa> nivelCorrendo() {
    auto mapa = std::make_unique<Mapa>("visual8.bmp", "colisao8.bmp", COMPRIMENTO, nullptr);
    for (int i = 0; i < 6; ++i)
        mapa->inserirObjeto("player", new Runner("src/Img/Jogo/player 1a.bmp", Ponto(320, 102 + 47 * i), 42, 47,
                                                 false, i + 1),
                            true);
    mapa->inserirObjeto("boostTela", new BoostTela(Ponto(2, 480), 30), false);
    for (int x = 2000; x < COMPRIMENTO; x += 3000)
        mapa->inserirObjeto("boostTela", new BoostTela(Ponto(x, 480), 30), false);
    // Let everyone land first.
    for (int i = 0; i < 30; ++i) {
        semTela::avancar(34);
        mapa->atualizarMapa();
    }
    return mapa;
}

void BM_QuadroSeisRunners(benchmark::State& state) {
    pictures();
    semTela::usarRelogioFalso();
    auto mapa = nivelCorrendo();
    int quadros = 30;
    for (auto _ : state) {
        semTela::avancar(34);
        benchmark::DoNotOptimize(mapa->atualizarMapa());
        // Near the end of the level, start again from a fresh one.
        if (++quadros == 550) {
            state.PauseTiming();
            mapa = nivelCorrendo();
            quadros = 30;
            state.ResumeTiming();
        }
    }
    semTela::usarRelogioReal();
}
BENCHMARK(BM_QuadroSeisRunners)->Unit(benchmark::kMicrosecond)->Iterations(3000);

void BM_DuasCopiasDaJanela(benchmark::State& state) {
    pictures();
    BITMAP* limpo = create_bitmap(COMPRIMENTO, 480);
    BITMAP* buffer = create_bitmap(COMPRIMENTO, 480);
    clear_to_color(limpo, makecol(1, 2, 3));
    int x = 0;
    for (auto _ : state) {
        blit(limpo, buffer, x, 0, x, 0, 640, 480);
        blit(buffer, screen, x, 0, 0, 0, 640, 480);
        x = (x + 30) % (COMPRIMENTO - 640);
    }
    destroy_bitmap(limpo);
    destroy_bitmap(buffer);
}
BENCHMARK(BM_DuasCopiasDaJanela)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// Keeps each benchmark's time per iteration to print the ratio at the end.
class Relator : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) tempos[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> tempos;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Relator relator;
    benchmark::RunSpecifiedBenchmarks(&relator);
    double quadro = 0, copias = 0;
    for (auto& [nome, tempo] : relator.tempos) {
        if (nome.find("BM_QuadroSeisRunners") == 0) quadro = tempo;
        if (nome.find("BM_DuasCopiasDaJanela") == 0) copias = tempo;
    }
    if (quadro > 0 && copias > 0)
        std::printf("\nframe / the two window copies = %.2f (%.1f us / %.1f us; target: at most 3)\n",
                    quadro / copias, quadro, copias);
    benchmark::Shutdown();
    return 0;
}

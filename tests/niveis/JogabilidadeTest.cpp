// Each level can be played to its end by one runner, with human timing.
#include "prova/CorridaNivel.h"
#include "prova/Solucionador.h"

#include "classesDerivadas/Runner.h"
#include "niveis/Campanha.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The solver rewinds races by putting a runner in a state taken from
// another race at the same frame: that must be as good as a copy.
TEST(Jogabilidade, ARunnerPutInAnotherRacesStateGoesOnExactlyAsThatRunner) {
    CorridaNivel original(niveis::daCampanha(1), 1);
    CorridaNivel copia(niveis::daCampanha(1), 1);
    for (int q = 0; q < 95; ++q) original.avancar();  // standing on the floor past the gate
    original.apertar(0);                               // a flip still pending
    while (copia.getQuadro() < original.getQuadro()) copia.avancar();
    copia.assumir(0, original.estado(0));
    for (int q = 0; q < 200; ++q) {
        if (q == 60) {
            original.apertar(0);
            copia.apertar(0);
        }
        original.avancar();
        copia.avancar();
        ASSERT_TRUE(copia.estado(0) == original.estado(0)) << "apart at frame " << original.getQuadro();
    }
    EXPECT_GT(original.runner(0).getPosicao().getX(), 2000);
}

// The prover races maps that are never shown; a shown map must play the
// same race, frame by frame, presses and all.
TEST(Jogabilidade, AnUnseenRaceGoesExactlyAsAShownOne) {
    CorridaNivel mostrada(niveis::daCampanha(2), 2, true);
    CorridaNivel oculta(niveis::daCampanha(2), 2);
    for (int q = 0; q < 600; ++q) {
        if (q % 37 == 0) {
            mostrada.apertar(q % 2);
            oculta.apertar(q % 2);
        }
        mostrada.avancar();
        oculta.avancar();
        for (int i = 0; i < 2; ++i)
            ASSERT_TRUE(oculta.estado(i) == mostrada.estado(i)) << "runner " << i << " apart at frame " << q;
        ASSERT_EQ(oculta.getXVista(), mostrada.getXVista());
    }
    EXPECT_GT(oculta.getXVista(), 5000);
}

class Jogabilidade : public ::testing::TestWithParam<int> {};

// A schedule exists that plays the level to its end, and none of its
// presses is frame-perfect: each still works 1 or 2 frames late (about
// 70 ms at 30 frames a second).
TEST_P(Jogabilidade, TheSolverFindsAScheduleThatStillWorksWithAnyPressTwoFramesLate) {
    const niveis::Nivel& nivel = niveis::daCampanha(GetParam());
    const Objetivo objetivo = Objetivo::doNivel(nivel);
    Solucionador solucionador(nivel, objetivo);
    const auto cronograma = solucionador.resolver();
    ASSERT_TRUE(cronograma) << solucionador.getRelato();

    const Desfecho desfecho = jogar(nivel, objetivo, *cronograma);
    EXPECT_TRUE(desfecho.alcancou) << "out at frame " << desfecho.quadros << ", x = " << desfecho.x;
    EXPECT_EQ(desfecho.viradas.size(), cronograma->apertos.size());
    for (const AtrasoFatal& a : atrasosFatais(nivel, objetivo, *cronograma, Solucionador::ATRASO_TOLERADO))
        ADD_FAILURE() << "press " << a.aperto << " (frame " << cronograma->apertos[a.aperto] << ") fails "
                      << a.atraso << " frame(s) late";
    RecordProperty("viradas", static_cast<int>(cronograma->apertos.size()));
}

INSTANTIATE_TEST_SUITE_P(Niveis, Jogabilidade, ::testing::Range(1, niveis::NUM_NIVEIS + 1),
                         [](const ::testing::TestParamInfo<int>& i) { return "Nivel" + std::to_string(i.param); });

}  // namespace

// What the game flow does after an attempt at a level, for every way the
// attempt can end.
#include "main/main.h"

#include <gtest/gtest.h>

namespace {

struct Caso {
    int nivel;
    bool esc, f10, venceu;
    MotivoFim motivo;
    bool sairMapa1, sairMapa2, telaParabens;
};

TEST(Desfecho, EveryWayALevelEndsAndWhichKeyDecides) {
    using M = MotivoFim;
    const Caso casos[] = {
        // Everyone out, nobody won: the same level again.
        {1, false, false, false, M::REPETIR, false, false, false},
        {2, false, false, false, M::REPETIR, false, false, false},
        // Escape leaves for the main menu; from level 1 it skips level 2 too.
        {1, true, false, false, M::ESC, true, true, false},
        {2, true, false, false, M::ESC, false, true, false},
        {1, true, true, true, M::ESC, true, true, false},
        {2, true, true, true, M::ESC, false, true, false},
        // Won, or skipped with F10: on to level 2, or to the congratulations.
        {1, false, false, true, M::VITORIA, true, false, false},
        {1, false, true, false, M::F10, true, false, false},
        {2, false, false, true, M::VITORIA, false, true, true},
        {2, false, true, false, M::F10, false, true, true},
        // F10 in the frame of a win: level 1 lets the win decide (F10 stays
        // down), level 2 lets F10 decide (and uses it up).
        {1, false, true, true, M::VITORIA, true, false, false},
        {2, false, true, true, M::F10, false, true, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(::testing::Message() << "level " << c.nivel << " esc " << c.esc << " f10 " << c.f10
                                          << " won " << c.venceu);
        DesfechoNivel d;
        EXPECT_EQ(decidirDesfecho(c.nivel, c.esc, c.f10, c.venceu, d), c.motivo);
        EXPECT_EQ(d.sairMapa1(), c.sairMapa1);
        EXPECT_EQ(d.sairMapa2(), c.sairMapa2);
        EXPECT_EQ(d.telaParabens, c.telaParabens);
    }
}

// A retry leaves what earlier attempts decided as it was.
TEST(Desfecho, ARetryChangesNothing) {
    DesfechoNivel d;
    d.sairMapa1() = true;
    EXPECT_EQ(decidirDesfecho(2, false, false, false, d), MotivoFim::REPETIR);
    EXPECT_TRUE(d.sairMapa1());
    EXPECT_FALSE(d.sairMapa2());
    EXPECT_FALSE(d.telaParabens);
}

}  // namespace

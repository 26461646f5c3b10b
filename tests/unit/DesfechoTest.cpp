// What the game flow does after an attempt at a level, for every way the
// attempt can end.
#include "main/main.h"

#include <gtest/gtest.h>

namespace {

constexpr int ULTIMO = niveis::NUM_NIVEIS;

struct Caso {
    int nivel;
    bool esc, f10, venceu;
    MotivoFim motivo;
    bool sairEste, sairSeguintes, telaParabens;  // no level before `nivel` is ever left
};

void verificar(const Caso& c) {
    SCOPED_TRACE(::testing::Message() << "level " << c.nivel << " esc " << c.esc << " f10 " << c.f10 << " won "
                                      << c.venceu);
    DesfechoNivel d;
    EXPECT_EQ(decidirDesfecho(c.nivel, c.esc, c.f10, c.venceu, d), c.motivo);
    for (int n = 1; n <= niveis::NUM_NIVEIS; ++n)
        EXPECT_EQ(d.sairMapa[n - 1], n < c.nivel ? false : n == c.nivel ? c.sairEste : c.sairSeguintes)
            << "level " << n << " left";
    EXPECT_EQ(d.telaParabens, c.telaParabens);
}

TEST(Desfecho, EveryWayALevelEndsAndWhichKeyDecides) {
    using M = MotivoFim;
    const Caso casos[] = {
        // Everyone out, nobody won: the same level again.
        {1, false, false, false, M::REPETIR, false, false, false},
        {ULTIMO, false, false, false, M::REPETIR, false, false, false},
        // Escape leaves for the main menu, skipping every level after.
        {1, true, false, false, M::ESC, true, true, false},
        {ULTIMO, true, false, false, M::ESC, true, true, false},
        {1, true, true, true, M::ESC, true, true, false},
        {ULTIMO, true, true, true, M::ESC, true, true, false},
        // F10 in the frame of a win: the first level lets the win decide
        // (F10 stays down), the last lets F10 decide (and uses it up).
        {1, false, true, true, M::VITORIA, true, false, false},
        {ULTIMO, false, true, true, M::F10, true, false, true},
    };
    for (const Caso& c : casos) verificar(c);
}

// Won, or skipped with F10, every level goes on to the next; the last one
// to the congratulations.
TEST(Desfecho, EveryLevelWonOrSkippedLeadsToTheNextAndTheLastToTheCongratulations) {
    for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) {
        verificar({n, false, false, true, MotivoFim::VITORIA, true, false, n == ULTIMO});
        verificar({n, false, true, false, MotivoFim::F10, true, false, n == ULTIMO});
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

// A list of level files may be longer than the campaign: only its last
// level leads to the congratulations.
TEST(Desfecho, TheLastOfAnyNumberOfLevelsLeadsToTheCongratulations) {
    DesfechoNivel d(3);
    EXPECT_EQ(decidirDesfecho(2, false, false, true, d), MotivoFim::VITORIA);
    EXPECT_FALSE(d.telaParabens);
    EXPECT_EQ(decidirDesfecho(3, false, true, false, d), MotivoFim::F10);
    EXPECT_TRUE(d.telaParabens);
    DesfechoNivel e(3);
    decidirDesfecho(2, true, false, false, e);
    EXPECT_EQ(e.sairMapa, std::vector<bool>({false, true, true}));
}

}  // namespace

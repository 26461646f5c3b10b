#include "AllegroSemTela.h"

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Ponto.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(Ponto, DefaultsToOriginAndComparesBothCoordinates) {
    Ponto origem;
    EXPECT_EQ(origem.getX(), 0);
    EXPECT_EQ(origem.getY(), 0);
    Ponto a(3, 4), b(3, 4), c(4, 3);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a == c);
}

class CronometroTest : public ::testing::Test {
protected:
    void SetUp() override { semTela::usarRelogioFalso(); }
    void TearDown() override { semTela::usarRelogioReal(); }
};

TEST_F(CronometroTest, ReadsZeroUntilStarted) {
    Cronometro c;
    semTela::avancar(500);
    EXPECT_TRUE(c.isParado());
    EXPECT_EQ(c.getMedicao(), 0);
}

TEST_F(CronometroTest, CountsFromStartAndFromReset) {
    Cronometro c;
    c.iniciar();
    semTela::avancar(50);
    EXPECT_EQ(c.getMedicao(), 50);
    c.resetar();
    EXPECT_EQ(c.getMedicao(), 0);
    semTela::avancar(7);
    EXPECT_EQ(c.getMedicao(), 7);
    EXPECT_FALSE(c.isParado());
}

TEST_F(CronometroTest, ResumesWithTheTimeCarriedOverFromStop) {
    Cronometro c;
    c.iniciar();
    semTela::avancar(40);
    c.parar();
    semTela::avancar(1000);
    EXPECT_EQ(c.getMedicao(), 40);  // frozen while stopped
    c.iniciar();
    semTela::avancar(10);
    EXPECT_EQ(c.getMedicao(), 50);
}

TEST_F(CronometroTest, ResetKeepsAStoppedStopwatchStopped) {
    Cronometro c;
    c.iniciar();
    semTela::avancar(40);
    c.parar();
    c.resetar();
    semTela::avancar(100);
    EXPECT_TRUE(c.isParado());
    EXPECT_EQ(c.getMedicao(), 0);
}

// The frame pacing must measure wall time. clock() counts processor time of
// every thread and let frames run several times too fast while the key timer
// thread idled.
TEST(CronometroRelogioReal, WaitLastsMoreThanItsArgumentInWallTime) {
    auto inicio = std::chrono::steady_clock::now();
    Cronometro::wait(33);
    auto decorrido = std::chrono::steady_clock::now() - inicio;
    EXPECT_GT(decorrido, std::chrono::milliseconds(33));
}

}  // namespace

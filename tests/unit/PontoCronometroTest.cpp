#include "AllegroSemTela.h"

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Ponto.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

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

// A clock moved by hand that counts how often it is read, to know when the
// waiting thread has seen a move.
std::atomic<long long> relogioMovido{5000};
std::atomic<int> leituras{0};
long long lerRelogioMovido() {
    ++leituras;
    return relogioMovido.load();
}

// Counted from a stopwatch started earlier, the wait only makes up what is
// left: a frame whose picture took 20 ms to show waits 14 more, not 34.
TEST_F(CronometroTest, WaitFromAStopwatchCountsWhatPassedSinceItStarted) {
    Cronometro::setFonteTempo(&lerRelogioMovido);
    Cronometro quadro;
    quadro.iniciar();
    relogioMovido += 34;
    const long long antes = relogioMovido;
    Cronometro::wait(33, quadro);  // past its deadline already: no reading moves the clock
    EXPECT_EQ(relogioMovido.load(), antes);
}

// wait sleeps between readings: whatever it sleeps, it may only return once
// its own reading passes the argument, step by step up to the deadline.
TEST_F(CronometroTest, WaitNeverReturnsAtOrBeforeItsDeadline) {
    Cronometro::setFonteTempo(&lerRelogioMovido);
    std::atomic<bool> voltou{false};
    leituras = 0;
    std::thread espera([&] {
        Cronometro::wait(33);
        voltou = true;
    });
    auto verLido = [&](int minimo) {
        while (leituras < minimo && !voltou) std::this_thread::yield();
    };
    verLido(1);  // started: the first reading is its zero
    int decorrido = 0;
    for (int passo : {0, 20, 10, 2, 1}) {
        relogioMovido += passo;
        decorrido += passo;
        // Two readings more: at least one began after the move.
        verLido(leituras + 2);
        EXPECT_FALSE(voltou) << "returned at " << decorrido << " ms";
    }
    relogioMovido += 1;
    espera.join();
    EXPECT_TRUE(voltou);
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

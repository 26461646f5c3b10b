// The players' keys, polled by Allegro's real timer thread beside the frame
// loop, as in the game.
#include "AllegroSemTela.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"
#include "main/main.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

void apertar(int tecla) { __atomic_store_n(&key[tecla], 1, __ATOMIC_RELEASE); }
bool apertada(int tecla) { return __atomic_load_n(&key[tecla], __ATOMIC_ACQUIRE) != 0; }

// Polls until `condicao` holds; a bound, not a measurement.
bool esperarAte(const std::function<bool()>& condicao) {
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condicao()) {
        if (std::chrono::steady_clock::now() > limite) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Long enough for the 1 ms callbacks to have polled many times.
void darTempo() { std::this_thread::sleep_for(std::chrono::milliseconds(30)); }

class ControleTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar(true);
        for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
            runners[i] = new Runner("", Ponto(100, 100), 42, 47, false, i + 1);
            pointPlayers[i] = runners[i];
            install_param_int(controle, runners[i], 1);
        }
    }
    void TearDown() override {
        descarregarControle(niveis::MAX_JOGADORES);
        for (Runner* r : runners) delete r;
        for (int t : {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL, KEY_Z}) key[t] = 0;
    }

    Runner* runners[niveis::MAX_JOGADORES] = {};
};

TEST_F(ControleTest, EachPlayersKeyFlipsItsStandingRunnerOncePerPress) {
    const int teclas[] = {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL};
    for (int i = 0; i < 4; ++i) {
        runners[i]->setNoChao(true);
        apertar(teclas[i]);
        ASSERT_TRUE(esperarAte([&] { return !apertada(teclas[i]); })) << "player " << i + 1;
        darTempo();
        EXPECT_EQ(runners[i]->getSinalGravidade(), -1) << "player " << i + 1;
    }
    for (int i = 4; i < 6; ++i) EXPECT_EQ(runners[i]->getSinalGravidade(), 1);
}

TEST_F(ControleTest, APressInTheAirWaitsForTheLanding) {
    Runner* r = runners[0];
    apertar(KEY_X);
    darTempo();
    EXPECT_TRUE(apertada(KEY_X));
    EXPECT_EQ(r->getSinalGravidade(), 1);
    r->setNoChao(true);
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == -1; }));
    EXPECT_FALSE(apertada(KEY_X));
}

TEST_F(ControleTest, RemovedCallbacksNoLongerPollAndOnlyTheirEntriesAreCleared) {
    descarregarControle(2);
    EXPECT_EQ(pointPlayers[0], nullptr);
    EXPECT_EQ(pointPlayers[1], nullptr);
    EXPECT_EQ(pointPlayers[2], runners[2]);
    runners[0]->setNoChao(true);
    apertar(KEY_X);
    darTempo();
    EXPECT_EQ(runners[0]->getSinalGravidade(), 1);
    EXPECT_TRUE(apertada(KEY_X));
    descarregarControle(0);
    EXPECT_EQ(pointPlayers[2], runners[2]);
    // TearDown removes the rest; removing a callback twice is harmless.
}

// The frame loop moves and draws runners while the timer thread flips them:
// what a sanitizer for threads must find clean.
TEST(ControleComQuadros, FlipsDuringFramesReachTheRunner) {
    semTela::iniciar(true);
    semTela::usarRelogioFalso();
    semTela::PastaDeTrabalho pasta;
    BITMAP* colisao = create_bitmap(2000, 480);
    clear_to_color(colisao, makecol(255, 255, 255));
    rectfill(colisao, 0, 0, 1999, 40, makecol(0, 0, 0));
    rectfill(colisao, 0, 400, 1999, 479, makecol(0, 0, 0));
    ASSERT_TRUE(semTela::salvar("c.bmp", colisao));
    destroy_bitmap(colisao);

    auto* mapa = new Mapa("c.bmp", "c.bmp", 2000, nullptr);
    auto* r = new Runner("src/Img/Jogo/player 1a.bmp", Ponto(320, 102), 42, 47, false, 1);
    pointPlayers[0] = r;
    install_param_int(controle, r, 1);
    mapa->inserirObjeto("player", r, true);
    int viradas = 0;
    int sinal = 1;
    for (int quadro = 0; quadro < 150; ++quadro) {
        if (quadro % 25 == 0) apertar(KEY_X);
        semTela::avancar(34);
        mapa->atualizarMapa();
        if (r->getSinalGravidade() != sinal) {
            sinal = r->getSinalGravidade();
            ++viradas;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    descarregarControle(1);
    delete mapa;
    key[KEY_X] = 0;
    semTela::usarRelogioReal();
    EXPECT_GE(viradas, 4);
}

}  // namespace

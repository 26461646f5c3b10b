// Scenarios on the real engine: a short level built from pictures made here,
// advanced frame by frame with the test clock.
#include "AllegroSemTela.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int COMPRIMENTO = 3000;

class Corrida : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar();
        semTela::usarRelogioFalso();
    }
    void TearDown() override {
        delete mapa;
        semTela::usarRelogioReal();
    }

    // Paints the collision picture (white, then `terreno` in black) and a
    // plain visual picture, and builds the map from them.
    void montar(const std::function<void(BITMAP*)>& terreno) {
        BITMAP* colisao = create_bitmap(COMPRIMENTO, 480);
        clear_to_color(colisao, makecol(255, 255, 255));
        terreno(colisao);
        BITMAP* visual = create_bitmap(COMPRIMENTO, 480);
        clear_to_color(visual, makecol(40, 60, 120));
        ASSERT_TRUE(semTela::salvar("visual.bmp", visual));
        ASSERT_TRUE(semTela::salvar("colisao.bmp", colisao));
        destroy_bitmap(colisao);
        destroy_bitmap(visual);
        mapa = new Mapa("visual.bmp", "colisao.bmp", COMPRIMENTO, nullptr);
    }

    Runner* runner(int x, int y, int numPlayer = 1) {
        auto* r = new Runner("src/Img/Jogo/player 1a.bmp", Ponto(x, y), 42, 47, false, numPlayer);
        mapa->inserirObjeto("player", r, true);
        return r;
    }

    // One frame as the level loop runs it: a little over 33 ms apart.
    bool quadro() {
        semTela::avancar(34);
        return mapa->atualizarMapa();
    }

    semTela::PastaDeTrabalho pasta;
    Mapa* mapa = nullptr;
};

TEST_F(Corrida, RunnerFallsAndStandsOnTheFloor) {
    montar([](BITMAP* c) { rectfill(c, 0, 400, COMPRIMENTO - 1, 479, makecol(0, 0, 0)); });
    Runner* r = runner(320, 102);
    for (int i = 0; i < 40; ++i) ASSERT_FALSE(quadro());
    EXPECT_EQ(r->getPosicao().getY(), 399);
    EXPECT_TRUE(r->isNoChao());
    EXPECT_EQ(r->getVelVertical(), 0.0);
}

}  // namespace

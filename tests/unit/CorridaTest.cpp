// Scenarios on the real engine: a short level built from pictures made here,
// advanced frame by frame with the test clock.
#include "AllegroSemTela.h"
#include "GravadorEfeitos.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/Runner.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr int COMPRIMENTO = 3000;
constexpr int TOPO_CHAO = 400;  // first solid row of the corridor's floor
constexpr int FIM_TETO = 39;    // last solid row of its ceiling

int preto() { return makecol(0, 0, 0); }

// Every column of the visual picture has its own colour, so the screen's
// first pixel tells where the view stands.
int corDaColuna(int x) { return makecol(x >> 8, x & 255, 77); }

class Corrida : public ::testing::Test {
protected:
    void SetUp() override { semTela::usarRelogioFalso(); }
    void TearDown() override {
        delete mapa;
        semTela::usarRelogioReal();
    }

    // Paints the collision picture (white, then `terreno` in black) and
    // builds the map from it.
    void montar(const std::function<void(BITMAP*)>& terreno) {
        BITMAP* colisao = create_bitmap(COMPRIMENTO, 480);
        clear_to_color(colisao, makecol(255, 255, 255));
        terreno(colisao);
        BITMAP* visual = create_bitmap(COMPRIMENTO, 480);
        for (int x = 0; x < COMPRIMENTO; ++x) vline(visual, x, 0, 479, corDaColuna(x));
        ASSERT_TRUE(semTela::salvar("visual.bmp", visual));
        ASSERT_TRUE(semTela::salvar("colisao.bmp", colisao));
        destroy_bitmap(colisao);
        destroy_bitmap(visual);
        mapa = new Mapa("visual.bmp", "colisao.bmp", COMPRIMENTO, nullptr);
    }

    // A floor and a ceiling from end to end, plus `extra`.
    void montarCorredor(const std::function<void(BITMAP*)>& extra = [](BITMAP*) {}) {
        montar([&](BITMAP* c) {
            rectfill(c, 0, TOPO_CHAO, COMPRIMENTO - 1, 479, preto());
            rectfill(c, 0, 0, COMPRIMENTO - 1, FIM_TETO, preto());
            extra(c);
        });
    }

    Runner* runner(int x, int y, int numPlayer = 1) {
        auto* r = new Runner("src/Img/Jogo/player 1a.bmp", Ponto(x, y), 42, 47, false, numPlayer);
        mapa->inserirObjeto("player", r, true);
        return r;
    }

    void coluna(int x, int velocidade) {
        mapa->inserirObjeto("boostTela", new BoostTela(Ponto(x, 480), velocidade), false);
    }

    // One frame as the level loop runs it: a little over 33 ms apart.
    bool quadro() {
        semTela::avancar(34);
        return mapa->atualizarMapa();
    }

    void quadros(int n) {
        for (int i = 0; i < n; ++i) ASSERT_FALSE(quadro()) << "everyone out at frame " << i;
    }

    int xDaTela() const {
        int cor = getpixel(screen, 0, 0);
        return getr(cor) << 8 | getg(cor);
    }

    semTela::PastaDeTrabalho pasta;
    Mapa* mapa = nullptr;
};

TEST_F(Corrida, RunnerFallsAndStandsOnTheFloor) {
    montarCorredor();
    Runner* r = runner(320, 102);
    quadros(40);
    EXPECT_EQ(r->getPosicao().getY(), TOPO_CHAO - 1);
    EXPECT_TRUE(r->isNoChao());
    EXPECT_EQ(r->getVelVertical(), 0.0);
}

TEST_F(Corrida, RunnersStandOnEachOtherWithoutSinking) {
    montarCorredor();
    Runner* cima = runner(320, 102);
    Runner* baixo = runner(320, 149);  // starts one row into the first one's box
    quadros(40);
    EXPECT_EQ(baixo->getPosicao().getY(), TOPO_CHAO - 1);
    EXPECT_EQ(cima->getPosicao().getY(), TOPO_CHAO - 1 - 48);
    EXPECT_TRUE(cima->isNoChao());
    EXPECT_EQ(cima->getPosicao().getX(), baixo->getPosicao().getX());
}

TEST_F(Corrida, AFlipCarriesTheRunnerToTheCeilingAndBack) {
    montarCorredor();
    Runner* r = runner(320, 102);
    quadros(30);
    ASSERT_TRUE(r->isNoChao());
    r->inverterGravidade();
    quadros(30);
    EXPECT_EQ(r->getPosicao().getY() - 47, FIM_TETO + 1);  // top row just under the ceiling
    EXPECT_TRUE(r->isNoChao());
    r->inverterGravidade();
    quadros(30);
    EXPECT_EQ(r->getPosicao().getY(), TOPO_CHAO - 1);
}

TEST_F(Corrida, AWallHoldsTheRunnerUntilTheViewLeavesItBehind) {
    montarCorredor([](BITMAP* c) { rectfill(c, 600, 330, 640, TOPO_CHAO - 1, preto()); });
    coluna(2, 10);
    Runner* r = runner(320, 102);
    int n = 0;
    while (r->isAtivo() && n < 200) {
        bool todosFora = quadro();
        ++n;
        EXPECT_EQ(todosFora, !r->isAtivo());
    }
    EXPECT_FALSE(r->isAtivo());
    EXPECT_EQ(r->getPosicao().getX() + 43, 600);  // stopped against the wall
    EXPECT_FALSE(mapa->isOver());
    EXPECT_LT(r->getPosicao().getX() + 42, xDaTela());  // the view passed it
}

TEST_F(Corrida, TheViewTakesTheSpeedOfEachColumnItEnters) {
    montarCorredor();
    coluna(2, 10);
    coluna(200, 20);
    coluna(600, 5);
    runner(320, 102);
    std::vector<int> passos;
    int x = 0;
    for (int i = 0; i < 50; ++i) {
        quadros(1);
        passos.push_back(xDaTela() - x);
        x = xDaTela();
    }
    // Speed 1 until column 2; the frame that enters a column keeps its step
    // count and the new speed counts from the next frame on.
    std::vector<int> esperado = {1, 1};
    esperado.insert(esperado.end(), 20, 10);  // 2 -> 202, entering 200 on the last
    esperado.insert(esperado.end(), 20, 20);  // 202 -> 602
    esperado.insert(esperado.end(), 8, 5);
    EXPECT_EQ(passos, esperado);
}

// The camera's probe walks a column from the top: a runner over the column's
// first row hides the column, and its speed is not taken.
TEST_F(Corrida, ARunnerOverTheTopOfAColumnHidesItsSpeed) {
    montar([](BITMAP*) {});
    coluna(2, 10);
    mapa->inserirObjeto("player", new Runner("", Ponto(0, 47), 42, 47, true, 1), true);
    quadros(5);
    EXPECT_EQ(xDaTela(), 5);
}

TEST_F(Corrida, CrossingTheFinishLineMovingRightWinsAndEndsTheLevelOnceAllAreOut) {
    // A pit from x = 1100 on takes the runner out after it has won.
    montar([](BITMAP* c) { rectfill(c, 0, TOPO_CHAO, 1099, 479, preto()); });
    coluna(2, 10);
    mapa->inserirObjeto("linhaChegada", new LinhaChegada(Ponto(700, TOPO_CHAO - 1), 49), false);
    Runner* r = runner(320, 102);
    quadros(40);
    EXPECT_TRUE(r->isWinner());
    while (r->isAtivo()) ASSERT_FALSE(quadro());  // a winner never makes a frame report everyone out
    EXPECT_TRUE(mapa->isOver());
    int parada = xDaTela();
    quadros(3);
    EXPECT_EQ(xDaTela(), parada);  // the view stopped
}

// The race goes on after a win while someone still races. Its sounds: the
// finish once, in the winner's pitch; a drop-out once for a runner that
// leaves the view without having won, none for a winner that leaves it
// afterwards.
TEST_F(Corrida, TheLevelIsNotOverWhileSomeoneStillRacesAndEachEndIsHeardOnce) {
    using Toque = GravadorEfeitos::Toque;
    // The floor ends at 900; the ceiling goes on until a wall hangs from it at 1600.
    montar([](BITMAP* c) {
        rectfill(c, 0, TOPO_CHAO, 899, 479, preto());
        rectfill(c, 0, 0, COMPRIMENTO - 1, FIM_TETO, preto());
        rectfill(c, 1600, FIM_TETO, 1700, 250, preto());
    });
    coluna(2, 10);
    mapa->inserirObjeto("linhaChegada", new LinhaChegada(Ponto(700, TOPO_CHAO - 1), 49), false);
    GravadorEfeitos gravador;
    Runner* outro = runner(320, 102, 1);
    Runner* vencedor = runner(320, 149, 2);
    while (!outro->isNoChao()) ASSERT_FALSE(quadro());  // lands on the other runner
    outro->inverterGravidade();
    while (vencedor->isAtivo()) ASSERT_FALSE(quadro());
    EXPECT_TRUE(vencedor->isWinner());
    EXPECT_FALSE(outro->isWinner());
    EXPECT_TRUE(outro->isAtivo());
    EXPECT_FALSE(mapa->isOver());
    EXPECT_EQ(gravador.ouvidos(), (std::vector<Toque>{{sons::Efeito::CHEGADA, 2}}));
    while (outro->isAtivo()) ASSERT_FALSE(quadro());
    EXPECT_TRUE(mapa->isOver());
    quadros(3);
    EXPECT_EQ(gravador.ouvidos(), (std::vector<Toque>{{sons::Efeito::CHEGADA, 2}, {sons::Efeito::FORA, 0}}));
}

TEST_F(Corrida, EveryoneOutWithoutAWinnerIsReportedInThatFrame) {
    montar([](BITMAP* c) { rectfill(c, 0, TOPO_CHAO, 600, 479, preto()); });
    coluna(2, 10);
    Runner* r = runner(320, 102);
    bool todosFora = false;
    for (int i = 0; i < 200 && !todosFora; ++i) {
        todosFora = quadro();
        EXPECT_EQ(todosFora, !r->isAtivo());
    }
    EXPECT_TRUE(todosFora);
    EXPECT_FALSE(mapa->isOver());
    EXPECT_GT(r->getPosicao().getY() - 47, 480);  // fell out of the bottom
}

TEST_F(Corrida, DropOutEdgesOfTheView) {
    montar([](BITMAP*) {});
    // After the first frame the view's left edge is at x = 1.
    Runner* noLimiteEsquerdo = runner(-41, 300);
    Runner* alemEsquerdo = runner(-42, 300);
    Runner* noTopo = runner(100, 0);
    Runner* acima = runner(160, -1);
    Runner* noFundo = runner(220, 527);
    Runner* abaixo = runner(280, 528);
    quadros(1);
    EXPECT_TRUE(noLimiteEsquerdo->isAtivo());
    EXPECT_FALSE(alemEsquerdo->isAtivo());
    EXPECT_TRUE(noTopo->isAtivo());
    EXPECT_FALSE(acima->isAtivo());
    EXPECT_TRUE(noFundo->isAtivo());
    EXPECT_FALSE(abaixo->isAtivo());
}

TEST_F(Corrida, RunnersBehindTheMiddleOfTheViewCatchUp) {
    montarCorredor();
    // After the first frame the middle column is gx + 320 = 321.
    Runner* atras = runner(278, 300);   // right edge at 320
    Runner* noMeio = runner(279, 250);  // right edge at 321
    quadros(1);
    EXPECT_EQ(atras->getVelHorizontal(), 2.0);
    EXPECT_EQ(noMeio->getVelHorizontal(), 1.0);
}

TEST_F(Corrida, AnEmptyLevelIsOverAtOnce) {
    montarCorredor();
    EXPECT_TRUE(quadro());
}

}  // namespace

#include "AllegroSemTela.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

class RunnerTest : public ::testing::Test {
protected:
    void SetUp() override { semTela::usarRelogioFalso(); }
    void TearDown() override { semTela::usarRelogioReal(); }

    // The frame shown, read back from the colour of the test sheet.
    int quadroMostrado(bool chao) const {
        int cor = getpixel(r.getBitmap(), 20, 20);
        for (int k = 0; k < 5; ++k)
            if (cor == semTela::corQuadroTeste(chao, k)) return k;
        return -1;
    }

    semTela::PastaDeTrabalho pasta;
    Runner r{"src/Img/Jogo/player 1a.bmp", Ponto(100, 200), 42, 47, false, 3};
};

TEST_F(RunnerTest, FirstFrameComesFromTheRowOfTheGroundFlag) {
    r.setNoChao(true);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 0);

    Runner noAr("src/Img/Jogo/player 1a.bmp", Ponto(100, 200), 42, 47, false, 1);
    noAr.atualizaBitmap();
    EXPECT_EQ(getpixel(noAr.getBitmap(), 20, 20), semTela::corQuadroTeste(false, 0));
}

TEST_F(RunnerTest, FramesAdvanceFasterAtHigherSpeeds) {
    r.setNoChao(true);
    r.atualizaBitmap();
    r.atualizaBitmap();  // built in the air: the landing changes the frame at once
    ASSERT_EQ(quadroMostrado(true), 1);

    r.setVelHorizontal(10.0);  // threshold 36.36 ms
    semTela::avancar(36);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 1);
    semTela::avancar(1);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 2);

    r.setVelHorizontal(0.0);  // threshold 400 ms
    semTela::avancar(400);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 2);
    semTela::avancar(1);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 3);
}

TEST_F(RunnerTest, RowsShareOneCounterAndSwitchAtOnce) {
    r.setNoChao(true);
    r.setVelHorizontal(30.0);
    r.atualizaBitmap();
    std::vector<int> chao;
    for (int i = 0; i < 7; ++i) {
        semTela::avancar(34);
        r.atualizaBitmap();
        chao.push_back(quadroMostrado(true));
    }
    EXPECT_EQ(chao, (std::vector<int>{1, 2, 3, 4, 0, 1, 2}));  // counter at 7

    semTela::avancar(1);  // taking off switches rows without waiting
    r.setNoChao(false);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(false), 0);  // 8 mod 4

    semTela::avancar(1);
    r.setNoChao(true);
    r.atualizaBitmap();
    EXPECT_EQ(quadroMostrado(true), 4);  // 9 mod 5
}

struct Outro : Objeto {
    explicit Outro(const char* nome) : Objeto("", Ponto(0, 0), 0, 0, true) { setNome(nome); }
};

TEST_F(RunnerTest, LandingOnABoostThrowsTheRunnerAlongItsWay) {
    Outro b("boost");
    r.setVelVertical(5.0);
    r.trataColisao(Objeto::BAIXO, &b, Ponto(100, 201));
    EXPECT_EQ(r.getVelHorizontal(), 50.0);
    EXPECT_EQ(r.getVelVertical(), 0.0);
    EXPECT_TRUE(r.isNoChao());
    EXPECT_EQ(r.getPosicao().getY(), 200);

    r.setVelHorizontal(-3.0);
    r.trataColisao(Objeto::BAIXO, &b, Ponto(100, 201));
    EXPECT_EQ(r.getVelHorizontal(), -50.0);

    r.setVelHorizontal(4.0);
    r.trataColisao(Objeto::DIREITA, &b, Ponto(101, 200));  // from the side: just solid
    EXPECT_EQ(r.getVelHorizontal(), 4.0);
    EXPECT_EQ(r.getPosicao().getX(), 100);
}

TEST_F(RunnerTest, TheFinishLineLetsThroughOnlyRunnersMovingRight) {
    Outro linha("linhaChegada");
    r.trataColisao(Objeto::ESQUERDA, &linha, Ponto(99, 200));
    EXPECT_FALSE(r.isWinner());
    EXPECT_EQ(r.getPosicao().getX(), 100);
    r.trataColisao(Objeto::DIREITA, &linha, Ponto(101, 200));
    EXPECT_TRUE(r.isWinner());
    EXPECT_EQ(r.getPosicao().getX(), 101);
}

TEST_F(RunnerTest, OtherRunnersAreSolidAndScreenColumnsAreNot) {
    Outro player("player"), coluna("boostTela");
    r.setVelHorizontal(10.0);
    r.trataColisao(Objeto::ESQUERDA, &player, Ponto(99, 200));
    EXPECT_EQ(r.getPosicao().getX(), 100);
    EXPECT_EQ(r.getVelHorizontal(), 10.0);
    r.trataColisao(Objeto::DIREITA, &coluna, Ponto(101, 200));
    EXPECT_EQ(r.getPosicao().getX(), 101);
    EXPECT_EQ(r.getVelHorizontal(), 10.0);
}

TEST_F(RunnerTest, MeetingTheCeilingUnderReversedGravityIsStanding) {
    r.setSinalGravidade(-1);
    r.setVelVertical(-12.0);
    r.setVelHorizontal(10.0);
    r.trataColisao(Objeto::CIMA, TERRENO, Ponto(100, 199));
    EXPECT_TRUE(r.isNoChao());
    EXPECT_EQ(r.getVelVertical(), 0.0);
    EXPECT_EQ(r.getPosicao().getY(), 200);

    r.trataColisao(Objeto::DIREITA, TERRENO, Ponto(101, 200));  // a wall: both speeds kept
    EXPECT_EQ(r.getPosicao().getX(), 100);
    EXPECT_EQ(r.getVelHorizontal(), 10.0);
}

// A missing sprite sheet must not mean copying frames from a null picture.
TEST_F(RunnerTest, WithoutItsSheetARunnerRacesUnseen) {
    BITMAP* vazio = create_bitmap(640, 480);
    clear_to_color(vazio, makecol(255, 255, 255));
    ASSERT_TRUE(semTela::salvar("branco.bmp", vazio));
    destroy_bitmap(vazio);
    Mapa mapa("branco.bmp", "branco.bmp", 640, nullptr);
    auto* semFolha = new Runner("nao-existe.bmp", Ponto(320, 102), 42, 47, false, 1);
    mapa.inserirObjeto("player", semFolha, true);
    EXPECT_EQ(semFolha->getBitmap(), nullptr);
    for (int i = 0; i < 5; ++i) {
        semTela::avancar(34);
        mapa.atualizarMapa();
    }
    EXPECT_GT(semFolha->getPosicao().getY(), 102);
    EXPECT_GT(semFolha->getPosicao().getX(), 320);
}

}  // namespace

#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/GerenciadorTela.h"
#include "classesDerivadas/LinhaChegada.h"
#include "classesDerivadas/boost.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {

class EntidadesTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::usarRelogioFalso();
        BITMAP* branco = create_bitmap(1000, 480);
        clear_to_color(branco, makecol(255, 255, 255));
        ASSERT_TRUE(semTela::salvar("branco.bmp", branco));
        destroy_bitmap(branco);
    }
    void TearDown() override { semTela::usarRelogioReal(); }

    semTela::PastaDeTrabalho pasta;
};

TEST_F(EntidadesTest, ScreenColumnsAndFinishLinesPaintOneColumnAndNeverMove) {
    Mapa mapa("branco.bmp", "branco.bmp", 1000, nullptr);
    auto* coluna = new BoostTela(Ponto(700, 480), 13);
    auto* linha = new LinhaChegada(Ponto(440, 300), 40);
    mapa.inserirObjeto("boostTela", coluna, false);
    mapa.inserirObjeto("linhaChegada", linha, false);
    EXPECT_EQ(coluna->getVelocidade(), 13);
    EXPECT_EQ(coluna->getLargura(), 0);
    EXPECT_EQ(coluna->getAltura(), 480);
    EXPECT_TRUE(coluna->isVoador());
    EXPECT_TRUE(linha->isVoador());

    for (int i = 0; i < 5; ++i) {
        semTela::avancar(34);
        mapa.atualizarMapa();
    }
    BITMAP* c = Colisor::getMapaColisao();
    int cc = coluna->getCorColisao(), cl = linha->getCorColisao();
    EXPECT_EQ(getpixel(c, 700, 0), cc);
    EXPECT_EQ(getpixel(c, 700, 479), cc);
    EXPECT_NE(getpixel(c, 699, 200), cc);
    EXPECT_NE(getpixel(c, 701, 200), cc);
    EXPECT_EQ(getpixel(c, 440, 260), cl);
    EXPECT_EQ(getpixel(c, 440, 300), cl);
    EXPECT_NE(getpixel(c, 440, 259), cl);
    EXPECT_NE(getpixel(c, 440, 301), cl);
    EXPECT_EQ(coluna->getPosicao().getX(), 700);
    EXPECT_EQ(linha->getPosicao().getY(), 300);
}

TEST_F(EntidadesTest, ABoostKeepsWhatItWasGivenAndFallsUnlessItFlies) {
    Mapa mapa("branco.bmp", "branco.bmp", 1000, nullptr);
    auto* voando = new boost("", Ponto(500, 100), 20, 10, true);
    auto* caindo = new boost("", Ponto(600, 100), 20, 10, false);
    mapa.inserirObjeto("boost", voando, false);
    mapa.inserirObjeto("boost", caindo, false);
    for (int i = 0; i < 5; ++i) {
        semTela::avancar(34);
        mapa.atualizarMapa();
    }
    EXPECT_EQ(voando->getPosicao().getY(), 100);
    EXPECT_EQ(voando->getLargura(), 20);
    EXPECT_GT(caindo->getPosicao().getY(), 100);
}

TEST_F(EntidadesTest, TheScreenManagerTakesTheSpeedOnlyOfColumnsItEntersMovingRight) {
    GerenciadorTela g;
    BoostTela rapido(Ponto(1, 480), 13), lento(Ponto(1, 480), 15);
    rapido.setNome("boostTela");
    lento.setNome("boostTela");
    LinhaChegada linha(Ponto(1, 300), 40);
    linha.setNome("linhaChegada");

    g.trataColisao(Objeto::DIREITA, &rapido, Ponto(1, 480));
    EXPECT_EQ(g.getPosicao().getX(), 1);
    EXPECT_EQ(g.getVelHorizontal(), 13.0);
    g.setVelHorizontal(30.0);
    g.trataColisao(Objeto::DIREITA, &lento, Ponto(2, 480));
    EXPECT_EQ(g.getVelHorizontal(), 15.0);

    g.trataColisao(Objeto::DIREITA, &linha, Ponto(3, 480));
    g.trataColisao(Objeto::DIREITA, TERRENO, Ponto(4, 480));
    g.trataColisao(Objeto::ESQUERDA, &rapido, Ponto(3, 480));
    EXPECT_EQ(g.getVelHorizontal(), 15.0);
    EXPECT_EQ(g.getPosicao().getX(), 3);
}

}  // namespace

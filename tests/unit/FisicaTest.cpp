#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Fisica.h"
#include "classesBasicas/Objeto.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// A 10 x 10 object at (200, 200).
class Contador : public Objeto {
public:
    explicit Contador(bool voador = false) : Objeto("", Ponto(200, 200), 10, 10, voador) {}
};

class FisicaTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar();
        semTela::usarRelogioFalso();
        colisao = create_bitmap(600, 480);
        clear_to_color(colisao, makecol(255, 255, 255));
        Colisor::setMapaColisao(colisao);
        Colisor::setListaDeObjetos(&objetos);
        Colisor::setListaDePlayers(&players);
    }
    void TearDown() override {
        destroy_bitmap(colisao);
        semTela::usarRelogioReal();
    }

    BITMAP* colisao = nullptr;
    std::map<int, Objeto*> objetos, players;
};

TEST_F(FisicaTest, FirstCallOnlyStartsTheGravityTimer) {
    Contador o;
    Fisica::aplicarMovimentos(o);
    EXPECT_FALSE(o.getCronometro().isParado());
    EXPECT_EQ(o.getVelVertical(), 0.0);
    EXPECT_EQ(o.getPosicao().getY(), 200);

    semTela::avancar(34);
    Fisica::aplicarMovimentos(o);
    EXPECT_DOUBLE_EQ(o.getVelVertical(), 1.8);
    EXPECT_EQ(o.getPosicao().getY(), 201);
}

TEST_F(FisicaTest, GravityNeedsMoreThanThirtyMillisecondsAndAddsOnce) {
    Contador o;
    o.setSinalGravidade(-1);
    Fisica::aplicaGravidade(o);
    semTela::avancar(30);
    Fisica::aplicaGravidade(o);
    EXPECT_EQ(o.getVelVertical(), 0.0);
    semTela::avancar(1);
    Fisica::aplicaGravidade(o);
    EXPECT_DOUBLE_EQ(o.getVelVertical(), -1.8);
    EXPECT_EQ(o.getCronometro().getMedicao(), 0);
    semTela::avancar(20);
    Fisica::aplicaGravidade(o);
    EXPECT_DOUBLE_EQ(o.getVelVertical(), -1.8);
    semTela::avancar(3000);  // a long pause still adds one increment
    Fisica::aplicaGravidade(o);
    EXPECT_DOUBLE_EQ(o.getVelVertical(), -3.6);
}

TEST_F(FisicaTest, FreeFallDropsTheTruncatedSpeedEachFrame) {
    Contador o;
    Fisica::aplicarMovimentos(o);
    std::vector<int> quedas;
    for (int quadro = 0; quadro < 5; ++quadro) {
        int antes = o.getPosicao().getY();
        semTela::avancar(34);
        Fisica::aplicarMovimentos(o);
        quedas.push_back(o.getPosicao().getY() - antes);
    }
    EXPECT_EQ(quedas, (std::vector<int>{1, 3, 5, 7, 9}));
    EXPECT_NEAR(o.getVelVertical(), 9.0, 1e-9);
}

TEST_F(FisicaTest, HorizontalStepsDropTheFraction) {
    Contador o(true);
    o.setVelHorizontal(-2.7);
    Fisica::aplicarMovimentos(o);
    EXPECT_EQ(o.getPosicao().getX(), 198);
    o.setVelHorizontal(0.99);
    Fisica::aplicarMovimentos(o);
    EXPECT_EQ(o.getPosicao().getX(), 198);
}

TEST_F(FisicaTest, ABlockedHorizontalPassStillLetsTheVerticalOneRun) {
    Contador o(true);
    rectfill(colisao, 211, 0, 212, 479, makecol(0, 0, 0));  // a wall right of the box
    o.setVelHorizontal(5.0);
    o.setVelVertical(3.0);
    Fisica::aplicarMovimentos(o);
    EXPECT_EQ(o.getPosicao().getX(), 200);
    EXPECT_EQ(o.getPosicao().getY(), 203);
}

TEST_F(FisicaTest, FlyingObjectsIgnoreGravity) {
    Contador o(true);
    o.setVelVertical(0.5);
    for (int i = 0; i < 10; ++i) {
        semTela::avancar(100);
        Fisica::aplicarMovimentos(o);
    }
    EXPECT_EQ(o.getVelVertical(), 0.5);
    EXPECT_TRUE(o.getCronometro().isParado());
}

TEST(FisicaFormulas, Kinematics) {
    EXPECT_DOUBLE_EQ(Fisica::mruv(10, 2.0, 3.0, 4), 24.0);
    EXPECT_DOUBLE_EQ(Fisica::mru(10, 2.0, 3.0), 16.0);
    EXPECT_DOUBLE_EQ(Fisica::calculaVelocidade(2.0, 3.0, 4), 11.0);
    EXPECT_DOUBLE_EQ(Fisica::calculaTorricceli(3.0, 2, 4), 5.0);
}

}  // namespace

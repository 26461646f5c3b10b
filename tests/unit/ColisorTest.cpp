#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Objeto.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <map>

namespace {

class ColisorTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar();
        bitmap = create_bitmap(100, 480);
        clear_to_color(bitmap, makecol(255, 255, 255));
        Colisor::setMapaColisao(bitmap);
        Colisor::setListaDeObjetos(&objetos);
        Colisor::setListaDePlayers(&players);
    }
    void TearDown() override { destroy_bitmap(bitmap); }

    BITMAP* bitmap = nullptr;
    std::map<int, Objeto*> objetos, players;
    Objeto a, b;
};

TEST_F(ColisorTest, ARunnerWinsOverAnObjectOfTheSameColour) {
    objetos[makecol(0, 0, 5)] = &a;
    players[makecol(0, 0, 5)] = &b;
    objetos[makecol(0, 0, 6)] = &a;
    EXPECT_EQ(Colisor::getObjetosColisao(makecol(0, 0, 5)), &b);
    EXPECT_EQ(Colisor::getObjetosColisao(makecol(0, 0, 6)), &a);
}

TEST_F(ColisorTest, UnknownWhiteAndOutsideColoursNameNoObject) {
    objetos[makecol(0, 0, 5)] = &a;
    EXPECT_EQ(Colisor::getObjetosColisao(makecol(0, 0, 7)), nullptr);
    EXPECT_EQ(Colisor::getObjetosColisao(makecol(255, 255, 255)), nullptr);
    EXPECT_EQ(Colisor::getObjetosColisao(-1), nullptr);
}

TEST_F(ColisorTest, ReadsThePublishedPictureAndMinusOneOutsideIt) {
    putpixel(bitmap, 0, 0, makecol(1, 2, 3));
    putpixel(bitmap, 99, 479, makecol(4, 5, 6));
    EXPECT_EQ(Colisor::getColisao(Ponto(0, 0)), makecol(1, 2, 3));
    EXPECT_EQ(Colisor::getColisao(Ponto(99, 479)), makecol(4, 5, 6));
    EXPECT_EQ(Colisor::getColisao(Ponto(-1, 10)), -1);
    EXPECT_EQ(Colisor::getColisao(Ponto(10, -1)), -1);
    EXPECT_EQ(Colisor::getColisao(Ponto(10, 480)), -1);
    EXPECT_EQ(Colisor::getColisao(Ponto(100, 10)), -1);

    BITMAP* outro = create_bitmap(100, 480);
    clear_to_color(outro, makecol(0, 0, 0));
    Colisor::setMapaColisao(outro);
    EXPECT_EQ(Colisor::getColisao(Ponto(0, 0)), makecol(0, 0, 0));
    EXPECT_EQ(getpixel(bitmap, 0, 0), makecol(1, 2, 3));
    destroy_bitmap(outro);
}

}  // namespace

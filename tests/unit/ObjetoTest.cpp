#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Objeto.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <map>

namespace {

// An object that records what its handler was told and, if asked, takes the step.
class Sonda : public Objeto {
public:
    Sonda(Ponto p, int largura, int altura, bool aceita = false)
        : Objeto("", p, largura, altura, true), aceita(aceita) {}

    void trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao) override {
        ++chamadas;
        ultimaDirecao = direcao;
        ultimoColisor = colisor;
        if (aceita) setPosicao(novaPosicao);
    }

    bool aceita;
    int chamadas = 0;
    DirecaoMovimento ultimaDirecao = CIMA;
    Objeto* ultimoColisor = nullptr;
};

class ObjetoTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar();
        colisao = create_bitmap(400, 480);
        clear_to_color(colisao, BRANCO());
        Colisor::setMapaColisao(colisao);
        Colisor::setListaDeObjetos(&objetos);
        Colisor::setListaDePlayers(&players);
    }
    void TearDown() override { destroy_bitmap(colisao); }

    static int BRANCO() { return makecol(255, 255, 255); }
    static int PRETO() { return makecol(0, 0, 0); }

    BITMAP* colisao = nullptr;
    std::map<int, Objeto*> objetos, players;
};

struct Passo {
    Objeto::DirecaoMovimento direcao;
    int primeiroX, primeiroY;  // first pixel of the probed edge
    int ultimoX, ultimoY;      // last pixel
    int alemX, alemY;          // just past the last pixel along the walk
    int foraX, foraY;          // just before the first pixel: never probed
};

// The worked example: an object at (100, 200), 42 wide and 47 high.
const Passo PASSOS[] = {
    {Objeto::BAIXO, 100, 201, 142, 201, 143, 201, 99, 201},
    {Objeto::DIREITA, 143, 153, 143, 200, 143, 201, 143, 152},
    {Objeto::CIMA, 100, 152, 142, 152, 143, 152, 99, 152},
    {Objeto::ESQUERDA, 99, 153, 99, 200, 99, 201, 99, 152},
};

TEST_F(ObjetoTest, ProbesExactlyTheLeadingEdgeOfTheNextPosition) {
    for (const Passo& p : PASSOS) {
        SCOPED_TRACE(p.direcao);
        // Terrain at the last pixel, continuing one step further: met.
        clear_to_color(colisao, BRANCO());
        putpixel(colisao, p.ultimoX, p.ultimoY, PRETO());
        putpixel(colisao, p.alemX, p.alemY, PRETO());
        Sonda s(Ponto(100, 200), 42, 47);
        EXPECT_FALSE(s.mover(p.direcao));
        EXPECT_EQ(s.chamadas, 1);
        EXPECT_EQ(s.ultimoColisor, TERRENO);
        EXPECT_EQ(s.ultimaDirecao, p.direcao);

        // Terrain at the first pixel and the one after it: met at once.
        clear_to_color(colisao, BRANCO());
        putpixel(colisao, p.primeiroX, p.primeiroY, PRETO());
        putpixel(colisao, p.primeiroX + (p.primeiroY == p.ultimoY), p.primeiroY + (p.primeiroY != p.ultimoY),
                 PRETO());
        Sonda t(Ponto(100, 200), 42, 47);
        EXPECT_FALSE(t.mover(p.direcao));
        EXPECT_EQ(t.ultimoColisor, TERRENO);

        // Terrain only outside the edge: the step is free.
        clear_to_color(colisao, BRANCO());
        putpixel(colisao, p.foraX, p.foraY, PRETO());
        putpixel(colisao, p.alemX + (p.primeiroY == p.ultimoY), p.alemY + (p.primeiroY != p.ultimoY),
                 PRETO());
        Sonda u(Ponto(100, 200), 42, 47);
        EXPECT_TRUE(u.mover(p.direcao));
        EXPECT_EQ(u.chamadas, 0);
    }
}

TEST_F(ObjetoTest, TheNeighbourAlongTheWalkDecidesWhatWasMet) {
    // A lone black pixel at the end of the edge with white beyond it: the end
    // of a platform, free.
    putpixel(colisao, 142, 201, PRETO());
    Sonda s(Ponto(100, 200), 42, 47);
    EXPECT_TRUE(s.mover(Objeto::BAIXO));
    EXPECT_EQ(s.chamadas, 0);
    EXPECT_EQ(s.getPosicao().getY(), 201);

    // A colour nobody owns is free too.
    clear_to_color(colisao, BRANCO());
    rectfill(colisao, 100, 202, 142, 202, makecol(9, 9, 9));
    EXPECT_TRUE(s.mover(Objeto::BAIXO));
    EXPECT_EQ(s.chamadas, 0);
}

TEST_F(ObjetoTest, AnObjectMetFirstHidesTerrainFurtherAlong) {
    Objeto outro;
    int cor = makecol(0, 0, 40);
    objetos[cor] = &outro;
    rectfill(colisao, 90, 201, 120, 201, cor);
    rectfill(colisao, 121, 201, 150, 201, PRETO());
    Sonda recusa(Ponto(100, 200), 42, 47);
    EXPECT_FALSE(recusa.mover(Objeto::BAIXO));
    EXPECT_EQ(recusa.ultimoColisor, &outro);

    Sonda aceita(Ponto(100, 200), 42, 47, true);
    EXPECT_TRUE(aceita.mover(Objeto::BAIXO));
    EXPECT_EQ(aceita.ultimoColisor, &outro);
}

TEST_F(ObjetoTest, OnePixelColumnsAreMetSidewaysButCrossedVertically) {
    Objeto coluna;
    int cor = makecol(0, 0, 41);
    objetos[cor] = &coluna;
    rectfill(colisao, 143, 160, 143, 200, cor);  // 41 rows high

    Sonda lado(Ponto(100, 200), 42, 47);
    EXPECT_FALSE(lado.mover(Objeto::DIREITA));
    EXPECT_EQ(lado.ultimoColisor, &coluna);

    // Stepping down across the column: its right-hand neighbour is white.
    rectfill(colisao, 120, 0, 120, 479, cor);
    Sonda baixo(Ponto(100, 200), 42, 47);
    EXPECT_TRUE(baixo.mover(Objeto::BAIXO));
    EXPECT_EQ(baixo.chamadas, 0);
}

TEST_F(ObjetoTest, OutsideThePictureBlocksButOnlyTheNeighbourCounts) {
    // Partly above the top: the first probed point reads -1, its neighbour too.
    Sonda acima(Ponto(100, 10), 42, 47);
    EXPECT_TRUE(acima.mover(Objeto::DIREITA));
    EXPECT_EQ(acima.chamadas, 0);

    // The neighbour is row 0 and holds terrain: met.
    putpixel(colisao, 143, 0, PRETO());
    Sonda borda(Ponto(100, 46), 42, 47);  // the box's top row is -1
    EXPECT_FALSE(borda.mover(Objeto::DIREITA));
    EXPECT_EQ(borda.ultimoColisor, TERRENO);
}

TEST_F(ObjetoTest, EveryStepClearsTheGroundFlag) {
    Sonda s(Ponto(100, 200), 42, 47);
    s.setNoChao(true);
    EXPECT_TRUE(s.mover(Objeto::DIREITA));
    EXPECT_FALSE(s.isNoChao());
}

TEST_F(ObjetoTest, CornersOfTheBoxAndTheDefaultBlockingRule) {
    Objeto o("", Ponto(0, 0), 42, 47, false);
    Ponto p(100, 200);
    Ponto infDir = o.getVertice(Objeto::INF_DIR, p), supEsq = o.getVertice(Objeto::SUP_ESQ, p);
    Ponto supDir = o.getVertice(Objeto::SUP_DIR, p), infEsq = o.getVertice(Objeto::INF_ESQ, p);
    EXPECT_EQ(infDir.getX(), 142);
    EXPECT_EQ(infDir.getY(), 200);
    EXPECT_EQ(supDir.getX(), 142);
    EXPECT_EQ(supDir.getY(), 153);
    EXPECT_EQ(supEsq.getX(), 100);
    EXPECT_EQ(supEsq.getY(), 153);
    EXPECT_TRUE(infEsq == p);

    EXPECT_FALSE(o.checaColisao(BRANCO()));
    EXPECT_TRUE(o.checaColisao(PRETO()));
    EXPECT_TRUE(o.checaColisao(makecol(0, 0, 2)));
    EXPECT_TRUE(o.checaColisao(-1));
}

TEST_F(ObjetoTest, FlippingGravityNegatesTheSignEachTime) {
    Objeto o("", Ponto(0, 0), 42, 47, false);
    o.inverterGravidade();
    EXPECT_EQ(o.getSinalGravidade(), -1);
    o.inverterGravidade();
    EXPECT_EQ(o.getSinalGravidade(), 1);
}

}  // namespace

namespace {

// A picture handed in with setBitmap stays its giver's: two objects sharing
// one must not release it twice (AddressSanitizer sees a double free), while
// a picture an object loaded itself is still released with it (LeakSanitizer
// sees a leak).
TEST(ObjetoPosse, APictureHandedInStaysTheCallersAndALoadedOneGoesWithTheObject) {
    semTela::PastaDeTrabalho pasta;
    BITMAP* compartilhada = create_bitmap(4, 4);
    clear_to_color(compartilhada, makecol(1, 2, 3));
    {
        Objeto a("", Ponto(0, 0), 3, 3, true), b("", Ponto(0, 0), 3, 3, true);
        a.setBitmap(compartilhada);
        b.setBitmap(compartilhada);
        Objeto carregou("src/Img/Jogo/pixelTransparente.bmp", Ponto(0, 0), 0, 0, true);
        ASSERT_NE(carregou.getBitmap(), nullptr);
        carregou.setBitmap(compartilhada);  // the loaded picture is still its own to release
    }
    EXPECT_EQ(getpixel(compartilhada, 1, 1), makecol(1, 2, 3));
    destroy_bitmap(compartilhada);
}

}  // namespace

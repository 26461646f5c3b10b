#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Objeto.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <new>
#include <string>
#include <vector>

namespace {

// Pictures are painted here; the map loads them from the working folder.
class MapaTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAP* visual = create_bitmap(800, 480);
        clear_to_color(visual, makecol(40, 60, 120));
        BITMAP* colisao = create_bitmap(800, 480);
        clear_to_color(colisao, makecol(255, 255, 255));
        rectfill(colisao, 0, 400, 799, 479, makecol(0, 0, 0));
        ASSERT_TRUE(semTela::salvar("visual.bmp", visual));
        ASSERT_TRUE(semTela::salvar("colisao.bmp", colisao));
        destroy_bitmap(visual);
        destroy_bitmap(colisao);
    }

    Mapa* novoMapa() { return new Mapa("visual.bmp", "colisao.bmp", 800, nullptr); }

    void TearDown() override {
        if (figura) destroy_bitmap(figura);
    }

    // A sheet-less object whose picture, the test's, is top half red,
    // bottom half green.
    Objeto* objetoPintado(Ponto p) {
        auto* o = new Objeto("", p, 9, 9, true);
        figura = create_bitmap(9, 9);
        rectfill(figura, 0, 0, 8, 3, makecol(255, 0, 0));
        rectfill(figura, 0, 4, 8, 8, makecol(0, 255, 0));
        o->setBitmap(figura);
        return o;
    }

    semTela::PastaDeTrabalho pasta;
    BITMAP* figura = nullptr;
};

// In the game's layout makecol(i, j, k) is the 24-bit number i:j:k, so the
// colours handed out must be consecutive numbers.
TEST_F(MapaTest, CollisionColoursAreConsecutiveAcrossTablesAndMaps) {
    Mapa* primeiro = novoMapa();
    int anterior = -1;
    for (int n = 0; n < 300; ++n) {
        auto* o = new Objeto("", Ponto(0, 0), 0, 0, true);
        primeiro->inserirObjeto(n % 2 ? "player" : "x", o, n % 2 == 1);
        int cor = o->getCorColisao();
        EXPECT_NE(cor, makecol(0, 0, 0));
        EXPECT_NE(cor, makecol(0, 0, 1));
        if (anterior >= 0) {
            EXPECT_EQ(cor, anterior + 1);
        }
        anterior = cor;
    }
    delete primeiro;

    // A rebuilt level goes on from where the last one stopped.
    Mapa* segundo = novoMapa();
    auto* o = new Objeto("", Ponto(0, 0), 0, 0, true);
    segundo->inserirObjeto("x", o, false);
    EXPECT_EQ(o->getCorColisao(), anterior + 1);
    EXPECT_EQ(o->getNome(), "x");
    delete segundo;
}

TEST_F(MapaTest, ObjectsStandingUnderUpwardGravityAreDrawnUpsideDown) {
    Mapa* mapa = novoMapa();
    Objeto* o = objetoPintado(Ponto(100, 100));
    mapa->inserirObjeto("x", o, false);
    o->setSinalGravidade(-1);

    mapa->atualizarMapa();  // in the air: upright
    EXPECT_EQ(getpixel(screen, 104 - 1, 91), makecol(255, 0, 0));

    o->setNoChao(true);
    mapa->atualizarMapa();  // standing on the ceiling: flipped
    EXPECT_EQ(getpixel(screen, 104 - 2, 91), makecol(0, 255, 0));
    EXPECT_EQ(getpixel(screen, 104 - 2, 99), makecol(255, 0, 0));
    delete mapa;
}

TEST_F(MapaTest, ErasingRestoresTheCleanPictureOverTheWholeBox) {
    Mapa* mapa = novoMapa();
    Objeto* a = new Objeto("", Ponto(100, 420), 20, 40, true);  // reaches into the floor
    Objeto* b = new Objeto("", Ponto(110, 420), 20, 40, true);  // overlaps a
    mapa->inserirObjeto("a", a, false);
    mapa->inserirObjeto("b", b, false);
    mapa->atualizarMapa();
    BITMAP* buffer = Colisor::getMapaColisao();
    EXPECT_EQ(getpixel(buffer, 115, 390), b->getCorColisao());
    EXPECT_EQ(getpixel(buffer, 130, 420), b->getCorColisao());  // corners included
    EXPECT_EQ(getpixel(buffer, 131, 420), makecol(0, 0, 0));

    mapa->apagarObjetoColisao(b);
    EXPECT_EQ(getpixel(buffer, 115, 390), makecol(255, 255, 255));  // a's colour gone there too
    EXPECT_EQ(getpixel(buffer, 115, 410), makecol(0, 0, 0));        // the floor is back
    EXPECT_EQ(getpixel(buffer, 105, 390), a->getCorColisao());
    delete mapa;
}

// The frame fills and erases boxes of the collision buffer row by row; at
// the picture's edges it must cut them exactly as Allegro's rectfill and
// blit do, or a box half off the picture would write outside it or leave
// its colour behind.
TEST_F(MapaTest, BoxesAtThePicturesEdgesAreFilledAndErasedAsAllegroWouldDoIt) {
    Mapa* mapa = novoMapa();
    struct Caixa {
        int x, y, largura, altura;
    };
    const Caixa caixas[] = {
        {5, 10, 20, 30},    // off the top
        {780, 490, 30, 20}, // off the right and the bottom
        {400, 480, 0, 480}, // a screen-high column a pixel wide, like a speed column
        {300, 420, 42, 47}, // a runner's box, into the floor
    };
    std::vector<Objeto*> objetos;
    for (const Caixa& c : caixas) {
        objetos.push_back(new Objeto("", Ponto(c.x, c.y), c.largura, c.altura, true));
        mapa->inserirObjeto("x", objetos.back(), false);
    }
    mapa->atualizarMapa();
    BITMAP* buffer = Colisor::getMapaColisao();
    BITMAP* limpa = load_bitmap("colisao.bmp", nullptr);
    BITMAP* esperada = create_bitmap(buffer->w, buffer->h);
    blit(limpa, esperada, 0, 0, 0, 0, limpa->w, limpa->h);
    for (std::size_t i = 0; i < objetos.size(); ++i) {
        const Caixa& c = caixas[i];
        rectfill(esperada, c.x, c.y - c.altura, c.x + c.largura, c.y, objetos[i]->getCorColisao());
    }
    auto iguais = [&](BITMAP* a) {
        for (int y = 0; y < buffer->h; ++y)
            for (int x = 0; x < buffer->w; ++x)
                if (getpixel(buffer, x, y) != getpixel(a, x, y))
                    return ::testing::AssertionFailure() << "apart at (" << x << ", " << y << ")";
        return ::testing::AssertionSuccess();
    };
    EXPECT_TRUE(iguais(esperada));
    for (Objeto* o : objetos) mapa->apagarObjetoColisao(o);
    EXPECT_TRUE(iguais(limpa));
    destroy_bitmap(esperada);
    destroy_bitmap(limpa);
    delete mapa;
}

// Colisor borrows the buffer and tables of the map being played; a map that
// goes must take them back, and only its own.
TEST_F(MapaTest, ADestroyedMapLeavesNothingOfItsInColisor) {
    Mapa* antigo = novoMapa();
    antigo->atualizarMapa();
    Mapa* atual = novoMapa();
    atual->atualizarMapa();
    BITMAP* publicado = Colisor::getMapaColisao();
    delete antigo;
    EXPECT_EQ(Colisor::getMapaColisao(), publicado);
    EXPECT_NE(Colisor::getListaDePlayers(), nullptr);

    delete atual;
    EXPECT_EQ(Colisor::getMapaColisao(), nullptr);
    EXPECT_EQ(Colisor::getListaDeObjetos(), nullptr);
    EXPECT_EQ(Colisor::getListaDePlayers(), nullptr);
    EXPECT_EQ(Colisor::getColisao(Ponto(10, 410)), -1);
    EXPECT_EQ(Colisor::getObjetosColisao(makecol(0, 0, 5)), nullptr);
}

int erroAoMontar(const char* visual, const char* colisao) {
    // A table handed in is the map's once it is built, and stays the
    // caller's when building fails (it was freed there, a use after free
    // for a caller that goes on with it).
    auto* tabela = new std::map<int, Objeto*>();
    try {
        Mapa m(visual, colisao, 800, tabela);
    } catch (int erro) {
        tabela->clear();
        delete tabela;
        return erro;
    }
    return 0;
}

TEST_F(MapaTest, MissingOrDamagedPicturesThrowOneOrTwo) {
    EXPECT_EQ(erroAoMontar("nao-existe.bmp", "colisao.bmp"), 1);
    EXPECT_EQ(erroAoMontar("visual.bmp", "nao-existe.bmp"), 2);
    FILE* f = std::fopen("truncado.bmp", "wb");
    std::fwrite("BM", 1, 2, f);
    std::fclose(f);
    EXPECT_EQ(erroAoMontar("visual.bmp", "truncado.bmp"), 2);
    EXPECT_EQ(erroAoMontar("visual.bmp", "colisao.bmp"), 0);

    // A picture short of the level would leave buffer memory unpainted,
    // and unpainted collision reads as solid; a larger one is cut.
    auto pintar = [](const char* caminho, int largura, int altura) {
        BITMAP* b = create_bitmap(largura, altura);
        clear_to_color(b, makecol(255, 255, 255));
        ASSERT_TRUE(semTela::salvar(caminho, b));
        destroy_bitmap(b);
    };
    pintar("estreita.bmp", 640, 480);
    pintar("baixa.bmp", 800, 479);
    pintar("grande.bmp", 900, 500);
    EXPECT_EQ(erroAoMontar("estreita.bmp", "colisao.bmp"), 1);
    EXPECT_EQ(erroAoMontar("visual.bmp", "baixa.bmp"), 2);
    EXPECT_EQ(erroAoMontar("grande.bmp", "grande.bmp"), 0);
}

// create_bitmap gives null when memory runs out, and drawing into it
// crashed. Under an address-space cap (in a fresh process) the map must
// throw std::bad_alloc and keep nothing, whether the pictures or the
// buffers did not fit.
TEST_F(MapaTest, WithoutMemoryTheMapThrowsBadAllocAndKeepsNothing) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' shadow memory does not fit under a cap";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // 16000 x 480: 31 MB a picture or a buffer at 32 bits, 8 MB on the way.
    constexpr int COMPRIMENTO = 16000;
    BITMAP* longa = create_bitmap_ex(8, COMPRIMENTO, Mapa::ALTURA);
    clear_to_color(longa, 1);
    PALETTE paleta = {};
    paleta[1] = {63, 63, 63, 0};
    ASSERT_EQ(save_bmp("longa.bmp", longa, paleta), 0);
    destroy_bitmap(longa);

    // The death test's own process leaves through _Exit, which runs no
    // destructors: it takes its working folder away itself.
    auto sair = [this](int codigo) {
        std::error_code erro;
        std::filesystem::remove_all(pasta.caminho(), erro);
        std::_Exit(codigo);
    };
    auto montarComLimite = [&sair](long megabytesAMais) {
        struct mallinfo2 antes = mallinfo2();
        std::ifstream status("/proc/self/status");
        std::string linha;
        long kB = 0;
        while (std::getline(status, linha))
            if (linha.rfind("VmSize:", 0) == 0) kB = std::stol(linha.substr(7));
        rlimit limite{};
        limite.rlim_cur = limite.rlim_max = static_cast<rlim_t>((kB * 1024) + (megabytesAMais << 20));
        if (kB == 0 || setrlimit(RLIMIT_AS, &limite) != 0) sair(20);
        try {
            Mapa m("longa.bmp", "longa.bmp", COMPRIMENTO, nullptr);
            sair(21);  // it all fitted
        } catch (const std::bad_alloc&) {
        } catch (int) {
            sair(22);
        }
        FigurasNivel::liberar();  // the level's decoded pictures are not the map's
        struct mallinfo2 depois = mallinfo2();
        sair(depois.uordblks + depois.hblkhd <= antes.uordblks + antes.hblkhd + 64 * 1024 ? 0 : 23);
    };
    EXPECT_EXIT(montarComLimite(45), ::testing::ExitedWithCode(0), "") << "the second picture does not fit";
    EXPECT_EXIT(montarComLimite(100), ::testing::ExitedWithCode(0), "") << "the buffers do not fit";
}

}  // namespace

// The level pictures the game decodes itself must come out exactly as
// Allegro would load them, whatever their palette, and be kept small.
#include "AllegroSemTela.h"

#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Imagem.h"
#include "classesBasicas/Recursos.h"

#include "dados/Niveis.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using recursos::Bitmap;

class FigurasNivelTest : public ::testing::Test {
protected:
    void SetUp() override { semTela::iniciar(); }
    void TearDown() override { FigurasNivel::liberar(); }

    // An 8-bit BMP of `cores` colours, `largura` wide (odd widths pad rows
    // and leave packed bytes half full), whose palette bytes are not all
    // multiples of four, as a painter other than Allegro writes them.
    std::string escrever8bits(const std::string& nome, int largura, int cores) {
        Bitmap b(create_bitmap_ex(8, largura, 9));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < largura; ++x) putpixel(b.get(), x, y, (x * 7 + y * 3 + x * y) % cores);
        PALETTE paleta = {};
        const std::string caminho = pasta.caminho() + "/" + nome;
        EXPECT_EQ(save_bmp(caminho.c_str(), b.get(), paleta), 0);
        std::fstream f(caminho, std::ios::in | std::ios::out | std::ios::binary);
        for (int i = 0; i < 256 * 4; ++i) {
            f.seekp(54 + i);
            f.put(static_cast<char>((i * 37 + 11) % 256));
        }
        return caminho;
    }

    semTela::PastaDeTrabalho pasta;
};

void esperarIguais(BITMAP* esperado, BITMAP* obtido) {
    ASSERT_NE(obtido, nullptr);
    ASSERT_EQ(bitmap_color_depth(obtido), 32);
    ASSERT_EQ(obtido->w, esperado->w);
    ASSERT_EQ(obtido->h, esperado->h);
    for (int y = 0; y < esperado->h; ++y)
        for (int x = 0; x < esperado->w; ++x)
            ASSERT_EQ(_getpixel32(obtido, x, y), _getpixel32(esperado, x, y)) << x << "," << y;
}

TEST_F(FigurasNivelTest, PicturesOfAnyPaletteComeOutAsAllegroLoadsThemAndAreKeptPacked) {
    struct Caso {
        int cores, largura;
        size_t bytesMaximos;  // a 9-row picture in the fewest bits a pixel
    } casos[] = {{2, 13, 9 * 2}, {3, 13, 9 * 4}, {16, 13, 9 * 7}, {200, 13, 9 * 13}, {16, 8, 9 * 4}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.cores);
        const std::string caminho = escrever8bits("f" + std::to_string(caso.cores) + ".bmp", caso.largura, caso.cores);
        Bitmap allegro(load_bitmap(caminho.c_str(), nullptr));
        ASSERT_NE(allegro, nullptr);
        FigurasNivel::liberar();
        Bitmap primeira(FigurasNivel::criar(caminho));
        esperarIguais(allegro.get(), primeira.get());
        EXPECT_LE(FigurasNivel::bytesGuardados(), caso.bytesMaximos + caso.cores * 4u);
        // Again, now from what was kept: the file is gone.
        std::remove(caminho.c_str());
        Bitmap segunda(FigurasNivel::criar(caminho));
        esperarIguais(allegro.get(), segunda.get());
        EXPECT_NE(segunda.get(), primeira.get());
    }
}

// A level picture in another encoding is still read, by Allegro, and a
// damaged one is refused as Imagem refuses it; neither is kept.
TEST_F(FigurasNivelTest, OtherEncodingsGoThroughAllegroAndDamagedFilesAreRefused) {
    Bitmap b(create_bitmap(21, 5));
    clear_to_color(b.get(), makecol(12, 200, 77));
    ASSERT_TRUE(semTela::salvar("v24.bmp", b.get()));  // 24 bits
    esperarIguais(b.get(), Bitmap(FigurasNivel::criar("v24.bmp")).get());

    const std::string caminho = escrever8bits("cortado.bmp", 13, 16);
    std::ifstream f(caminho, std::ios::binary);
    std::vector<char> dados{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    std::ofstream(caminho, std::ios::binary | std::ios::trunc).write(dados.data(), static_cast<long>(dados.size() - 5));
    EXPECT_EQ(FigurasNivel::criar(caminho), nullptr);
    EXPECT_EQ(FigurasNivel::criar("nenhum.bmp"), nullptr);
    EXPECT_EQ(FigurasNivel::bytesGuardados(), 0u);
}

// Only one level's pair is kept: asking for another pair lets the rest go.
TEST_F(FigurasNivelTest, KeepsOnlyTheLevelBeingPlayed) {
    const std::string a = escrever8bits("a.bmp", 13, 2), b = escrever8bits("b.bmp", 13, 2);
    Bitmap fa(FigurasNivel::criar(a)), fb(FigurasNivel::criar(b));
    const size_t dois = FigurasNivel::bytesGuardados();
    FigurasNivel::manterApenas(a, "outro.bmp");
    EXPECT_EQ(FigurasNivel::bytesGuardados(), dois / 2);
    FigurasNivel::liberar();
    EXPECT_EQ(FigurasNivel::bytesGuardados(), 0u);
}

// The memory made ready while the menus run is where a level's four
// bitmaps are made: the process takes next to nothing more from the system
// for them.
TEST_F(FigurasNivelTest, ALevelsBitmapsAreMadeInTheMemoryMadeReadyForThem) {
    FigurasNivel::prepararMemoria();
    const struct mallinfo2 antes = mallinfo2();
    std::vector<Bitmap> mapa;
    for (int i = 0; i < 4; ++i) {
        mapa.emplace_back(FigurasNivel::criarBitmap(niveis::COMPRIMENTO, niveis::ALTURA));
        ASSERT_TRUE(mapa.back());
        clear_to_color(mapa.back().get(), 7);
    }
    const struct mallinfo2 depois = mallinfo2();
    // A few pages of bookkeeping at most; the bitmaps are 138 MB.
    EXPECT_LT(depois.arena + depois.hblkhd - antes.arena - antes.hblkhd, 1u << 20) << "taken from the system";

    mapa.clear();
    FigurasNivel::prepararMemoria();
    FigurasNivel::liberar();  // while its thread may still be touching it
}

}  // namespace

// The generated level pictures, read the way the game reads them.
#include "AllegroSemTela.h"
#include "niveis/ArquivoNivel.h"
#include "niveis/Campanha.h"
#include "niveis/Tema.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Recursos.h"
#include "dados/Niveis.h"
#include "dados/Paleta.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using Figura = recursos::Bitmap;

Figura carregar(const std::string& caminho) {
    semTela::iniciar();
    return Figura(Imagem::carregar(caminho));
}

// A palette colour as the game holds it once loaded: Allegro reads the
// palette of an 8-bit BMP at 6 bits a channel and scales it back up.
int noJogo(uint32_t rgb) {
    auto canal = [&](int desvio) { return _rgb_scale_6[((rgb >> desvio) & 0xFF) / 4]; };
    return makecol(canal(16), canal(8), canal(0));
}

int pixel(BITMAP* b, int x, int y) { return static_cast<int>(reinterpret_cast<uint32_t*>(b->line[y])[x]); }

const niveis::Nivel& nivelNumero(int n) { return niveis::daCampanha(n); }

const Tema& temaDoNivel(int n) { return Tema::porNome(ArquivoNivel::ler(nivelNumero(n).texto).descricao->getTema()); }

// The picture's headers, as the game reads them; none when unreadable.
Imagem::Cabecalho cabecalho(const std::string& caminho) {
    unsigned char b[Imagem::CABECALHO_ARQUIVO + Imagem::INFO_WINDOWS] = {};
    size_t lidos = 0;
    if (FILE* f = std::fopen(caminho.c_str(), "rb")) {
        lidos = std::fread(b, 1, sizeof b, f);
        std::fclose(f);
    }
    return Imagem::lerCabecalho(b, lidos).value_or(Imagem::Cabecalho{});
}

class PinturaNivel : public ::testing::TestWithParam<int> {};

TEST_P(PinturaNivel, BothPicturesAreWhole18000By480PalettedBmps) {
    const niveis::Nivel& nivel = nivelNumero(GetParam());
    for (const std::string& caminho : {nivel.visual, nivel.colisao}) {
        SCOPED_TRACE(caminho);
        EXPECT_TRUE(Imagem::isBmpIntegro(caminho));
        const Imagem::Cabecalho c = cabecalho(caminho);
        EXPECT_EQ(c.largura, niveis::COMPRIMENTO);
        EXPECT_EQ(c.altura, niveis::ALTURA);
        // 8 bits a pixel: half the loading time of a 24-bit picture.
        EXPECT_EQ(c.bits, 8);
    }
}

TEST_P(PinturaNivel, CollisionIsPureBlackAndWhiteAndNeitherPictureHoldsTheMaskColour) {
    const niveis::Nivel& nivel = nivelNumero(GetParam());
    Figura colisao = carregar(nivel.colisao);
    Figura visual = carregar(nivel.visual);
    ASSERT_TRUE(colisao && visual);
    const int preto = makecol(0, 0, 0), branco = makecol(255, 255, 255), mascara = noJogo(paleta::MASCARA);
    long outras = 0, mascarados = 0;
    for (int y = 0; y < niveis::ALTURA; ++y)
        for (int x = 0; x < niveis::COMPRIMENTO; ++x) {
            const int c = pixel(colisao.get(), x, y);
            if (c != preto && c != branco) ++outras;
            if (c == mascara || pixel(visual.get(), x, y) == mascara) ++mascarados;
        }
    EXPECT_EQ(outras, 0);
    EXPECT_EQ(mascarados, 0);
}

// Where the collision picture turns from free to solid, the visual picture
// shows the theme's edge colour on the solid pixel, and nowhere in free
// space: the bright line the player sees is exactly where runners stop.
TEST_P(PinturaNivel, TerrainEdgesInTheVisualPictureAreExactlyTheCollisionEdges) {
    const niveis::Nivel& nivel = nivelNumero(GetParam());
    Figura colisao = carregar(nivel.colisao);
    Figura visual = carregar(nivel.visual);
    ASSERT_TRUE(colisao && visual);
    const int borda = noJogo(temaDoNivel(GetParam()).borda);
    const int preto = makecol(0, 0, 0);
    auto solido = [&](int x, int y) { return pixel(colisao.get(), x, y) == preto; };
    long bordasSemCor = 0, corForaDoChao = 0, bordas = 0;
    for (int y = 0; y < niveis::ALTURA; ++y)
        for (int x = 0; x < niveis::COMPRIMENTO; ++x) {
            const bool s = solido(x, y);
            if (!s) {
                if (pixel(visual.get(), x, y) == borda) ++corForaDoChao;
                continue;
            }
            const bool naBorda = (x > 0 && !solido(x - 1, y)) || (x + 1 < niveis::COMPRIMENTO && !solido(x + 1, y)) ||
                                 (y > 0 && !solido(x, y - 1)) || (y + 1 < niveis::ALTURA && !solido(x, y + 1));
            if (!naBorda) continue;
            ++bordas;
            if (pixel(visual.get(), x, y) != borda) ++bordasSemCor;
        }
    EXPECT_GT(bordas, 10000);
    EXPECT_EQ(bordasSemCor, 0);
    EXPECT_EQ(corForaDoChao, 0);
}

// A speed column's sign stands where the runners feel it, not at the
// column, which the view's left edge reaches 320 columns behind them. The
// sign's dashed line runs down the free space of that column in the sign's
// colour: dozens of pixels, where a star or a window makes one or two.
TEST_P(PinturaNivel, EverySpeedChangeAndTheFinishLineAreMarkedWhereTheRunnersMeetThem) {
    const niveis::Nivel& nivel = nivelNumero(GetParam());
    const Tema& tema = temaDoNivel(GetParam());
    Figura visual = carregar(nivel.visual);
    Figura colisao = carregar(nivel.colisao);
    ASSERT_TRUE(visual && colisao);
    auto temCor = [&](int x, int y0, int y1, uint32_t cor) {
        for (int y = y0; y <= y1; ++y)
            if (pixel(visual.get(), x, y) == noJogo(cor)) return true;
        return false;
    };
    auto linhaDePlaca = [&](int x) {
        int n = 0;
        for (int y = 0; y < niveis::ALTURA; ++y) {
            const int c = pixel(visual.get(), x, y);
            if (pixel(colisao.get(), x, y) != makecol(0, 0, 0) && (c == noJogo(tema.placaMais) || c == noJogo(tema.placaMenos)))
                ++n;
        }
        return n >= 20;
    };
    for (const niveis::BoostTelaNivel& boost : nivel.boosts) {
        const int x = boost.x;
        EXPECT_TRUE(linhaDePlaca(x + 320)) << "no sign where the speed column x = " << x << " is felt";
        EXPECT_FALSE(linhaDePlaca(x)) << "a sign at the speed column x = " << x << ", long before it is felt";
    }
    const int topo = nivel.chegadaY - nivel.alturaChegada;
    EXPECT_TRUE(temCor(nivel.chegadaX, topo, nivel.chegadaY, tema.xadrezClaro));
    EXPECT_TRUE(temCor(nivel.chegadaX, topo, nivel.chegadaY, tema.xadrezEscuro));
}

// Relative luminance of a pixel as the game holds it (sRGB, 0 to 1).
double luminancia(int cor) {
    auto linear = [](int c) {
        const double v = c / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(getr32(cor)) + 0.7152 * linear(getg32(cor)) + 0.0722 * linear(getb32(cor));
}

// How well the ceilings stand out from what shows under them. In every
// column whose ceiling is thick enough and has room under it: the contrast
// of luminance between the ceiling's body (rows 8 to 20 over its edge,
// past the bright edge line and its fringe) and the free space in the 20
// rows under the edge.
struct LeituraTetos {
    int colunas = 0;
    double mediana = 0.0;
    double abaixoDe1_5 = 0.0;   // share of those columns
    double abaixoDe3 = 0.0;
    double livreEmCorDeChao = 0.0;  // share of free pixels painted in a colour the ground uses
};

LeituraTetos lerTetos(BITMAP* visual, BITMAP* colisao) {
    const int preto = makecol(0, 0, 0);
    auto solido = [&](int x, int y) { return pixel(colisao, x, y) == preto; };
    std::set<int> doChao;
    for (int y = 0; y < niveis::ALTURA; ++y)
        for (int x = 0; x < niveis::COMPRIMENTO; ++x)
            if (solido(x, y)) doChao.insert(pixel(visual, x, y));
    long livres = 0, livresEmCorDeChao = 0;
    std::vector<double> contrastes;
    for (int x = 0; x < niveis::COMPRIMENTO; ++x) {
        for (int y = 0; y < niveis::ALTURA; ++y)
            if (!solido(x, y)) {
                ++livres;
                livresEmCorDeChao += doChao.count(pixel(visual, x, y));
            }
        int borda = 0;  // the ceiling's lowest row
        while (borda + 1 < niveis::ALTURA && solido(x, borda + 1)) ++borda;
        if (!solido(x, 0) || borda < 20 || borda + 20 >= niveis::ALTURA) continue;
        bool vao = true;
        for (int y = borda + 1; y <= borda + 20; ++y) vao = vao && !solido(x, y);
        if (!vao) continue;
        double teto = 0.0, ceu = 0.0;
        for (int y = borda - 20; y <= borda - 8; ++y) teto += luminancia(pixel(visual, x, y)) / 13.0;
        for (int y = borda + 1; y <= borda + 20; ++y) ceu += luminancia(pixel(visual, x, y)) / 20.0;
        contrastes.push_back((std::max(teto, ceu) + 0.05) / (std::min(teto, ceu) + 0.05));
    }
    LeituraTetos l;
    l.colunas = static_cast<int>(contrastes.size());
    l.livreEmCorDeChao = livres ? static_cast<double>(livresEmCorDeChao) / static_cast<double>(livres) : 0.0;
    if (contrastes.empty()) return l;
    std::sort(contrastes.begin(), contrastes.end());
    l.mediana = contrastes[contrastes.size() / 2];
    const double n = static_cast<double>(contrastes.size());
    auto abaixoDe = [&](double limite) {
        return static_cast<double>(std::lower_bound(contrastes.begin(), contrastes.end(), limite) - contrastes.begin()) / n;
    };
    l.abaixoDe1_5 = abaixoDe(1.5);
    l.abaixoDe3 = abaixoDe(3.0);
    return l;
}

// The ceiling's body, not only its thin edge line, must tell it from the
// sky: at night a dark rock under a dark sky is found by its edge alone.
TEST_P(PinturaNivel, CeilingsStandOutFromTheSkyAtAGlance) {
    const niveis::Nivel& nivel = nivelNumero(GetParam());
    Figura colisao = carregar(nivel.colisao);
    Figura visual = carregar(nivel.visual);
    ASSERT_TRUE(colisao && visual);
    const LeituraTetos l = lerTetos(visual.get(), colisao.get());
    RecordProperty("contrasteMediano", std::to_string(l.mediana));
    RecordProperty("colunasAbaixoDe1_5", std::to_string(l.abaixoDe1_5));
    RecordProperty("colunasAbaixoDe3", std::to_string(l.abaixoDe3));
    RecordProperty("livreEmCorDeChao", std::to_string(l.livreEmCorDeChao));
    EXPECT_GT(l.colunas, 5000);
    EXPECT_GE(l.mediana, 3.0);
    EXPECT_LE(l.abaixoDe1_5, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Niveis, PinturaNivel, ::testing::Range(1, niveis::NUM_NIVEIS + 1),
                         [](const ::testing::TestParamInfo<int>& i) { return "Nivel" + std::to_string(i.param); });

TEST(PinturaNiveis, TheInvisibleObjectsPictureIsAllMaskColour) {
    Figura pixelTransparente = carregar("src/Img/Jogo/pixelTransparente.bmp");
    ASSERT_TRUE(pixelTransparente);
    for (int y = 0; y < pixelTransparente->h; ++y)
        for (int x = 0; x < pixelTransparente->w; ++x)
            EXPECT_EQ(pixel(pixelTransparente.get(), x, y), noJogo(paleta::MASCARA));
}

}  // namespace

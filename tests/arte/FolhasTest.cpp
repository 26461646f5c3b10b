// The six runner sheets as the game cuts them: 42 x 47 frames, five running
// at y 0 and four airborne at y 49, drawn masked with the feet on the
// frame's bottom row.
#include "FiguraGerada.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

constexpr int LARGURA = 42, ALTURA = 47, Y_AR = ALTURA + 2;
constexpr int QUADROS_CHAO = 5, QUADROS_AR = 4;

std::string folha(int n) { return "src/Img/Jogo/player " + std::to_string(n) + "a.bmp"; }

struct Quadro {
    const FiguraGerada& f;
    int x0, y0;
    uint32_t cor(int x, int y) const { return f.cor(x0 + x, y0 + y); }
    bool pintado(int x, int y) const {
        return x >= 0 && y >= 0 && x < LARGURA && y < ALTURA && cor(x, y) != FiguraGerada::MASCARA;
    }
    int pintados(int yMin = 0) const {
        int n = 0;
        for (int y = yMin; y < ALTURA; ++y)
            for (int x = 0; x < LARGURA; ++x) n += pintado(x, y);
        return n;
    }
};

template <typename F>
void cadaQuadro(const FiguraGerada& f, F&& verificar) {
    for (int k = 0; k < QUADROS_CHAO; ++k) {
        SCOPED_TRACE("running frame " + std::to_string(k));
        verificar(Quadro{f, k * LARGURA, 0}, true);
    }
    for (int k = 0; k < QUADROS_AR; ++k) {
        SCOPED_TRACE("airborne frame " + std::to_string(k));
        verificar(Quadro{f, k * LARGURA, Y_AR}, false);
    }
}

}  // namespace

TEST(Folhas, TheGapBetweenRowsAndTheEndOfTheAirRowAreMask) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(folha(n));
        FiguraGerada f(folha(n));
        ASSERT_TRUE(f.carregada());
        for (int y = ALTURA; y < Y_AR; ++y)
            for (int x = 0; x < f.largura(); ++x) ASSERT_EQ(f.cor(x, y), FiguraGerada::MASCARA) << x << "," << y;
        for (int y = Y_AR; y < f.altura(); ++y)
            for (int x = QUADROS_AR * LARGURA; x < f.largura(); ++x)
                ASSERT_EQ(f.cor(x, y), FiguraGerada::MASCARA) << x << "," << y;
    }
}

// A pixel on a frame's side or top edge is a figure cut off by the frame.
TEST(Folhas, FramesAreFullWithoutTouchingTheirEdges) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(folha(n));
        FiguraGerada f(folha(n));
        cadaQuadro(f, [](const Quadro& q, bool noChao) {
            EXPECT_GT(q.pintados(), 250);
            for (int y = 0; y < ALTURA; ++y) {
                EXPECT_FALSE(q.pintado(0, y));
                EXPECT_FALSE(q.pintado(LARGURA - 1, y));
            }
            for (int x = 0; x < LARGURA; ++x) {
                EXPECT_FALSE(q.pintado(x, 0));
                if (!noChao) {
                    EXPECT_FALSE(q.pintado(x, ALTURA - 1));
                }
            }
        });
    }
}

// The runner's box stands on the floor just below the frame: a gap under
// the feet would make it float.
TEST(Folhas, RunningFramesTreadOnTheLastRow) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(folha(n));
        FiguraGerada f(folha(n));
        cadaQuadro(f, [](const Quadro& q, bool noChao) {
            if (noChao) {
                EXPECT_GT(q.pintados(ALTURA - 1), 0) << "a gap under the feet";
            }
        });
    }
}

TEST(Folhas, LegsChangeFromFrameToFrame) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(folha(n));
        FiguraGerada f(folha(n));
        for (int k = 0; k < QUADROS_CHAO; ++k) {
            Quadro a{f, k * LARGURA, 0}, b{f, (k + 1) % QUADROS_CHAO * LARGURA, 0};
            int diferentes = 0;
            for (int y = ALTURA / 2; y < ALTURA; ++y)
                for (int x = 0; x < LARGURA; ++x) diferentes += a.cor(x, y) != b.cor(x, y);
            EXPECT_GT(diferentes, 40) << "frames " << k << " and " << (k + 1) % QUADROS_CHAO;
        }
        for (int k = 0; k < QUADROS_AR; ++k) {
            Quadro a{f, k * LARGURA, Y_AR}, b{f, (k + 1) % QUADROS_AR * LARGURA, Y_AR};
            int diferentes = 0;
            for (int y = 0; y < ALTURA; ++y)
                for (int x = 0; x < LARGURA; ++x) diferentes += a.cor(x, y) != b.cor(x, y);
            EXPECT_GT(diferentes, 150) << "airborne frames " << k << " and " << (k + 1) % QUADROS_AR;
        }
    }
}

// Runners must read over any stretch of level: every pixel at the edge of
// the silhouette is the dark outline.
TEST(Folhas, TheSilhouetteHasADarkOutline) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(folha(n));
        FiguraGerada f(folha(n));
        cadaQuadro(f, [](const Quadro& q, bool) {
            int claros = 0;
            for (int y = 0; y < ALTURA; ++y)
                for (int x = 0; x < LARGURA; ++x) {
                    if (!q.pintado(x, y) || q.cor(x, y) == FiguraGerada::CONTORNO) continue;
                    bool borda = !q.pintado(x - 1, y) || !q.pintado(x + 1, y) || !q.pintado(x, y - 1) ||
                                 (!q.pintado(x, y + 1) && y + 1 < ALTURA);
                    claros += borda;
                }
            EXPECT_EQ(claros, 0) << "silhouette pixels without the outline";
        });
    }
}

TEST(Folhas, SixCharactersOfDifferentMainColours) {
    std::set<uint32_t> principais;
    std::string lista;
    for (int n = 1; n <= 6; ++n) {
        FiguraGerada f(folha(n));
        std::map<uint32_t, int> contagem;
        for (int y = 0; y < f.altura(); ++y)
            for (int x = 0; x < f.largura(); ++x)
                if (uint32_t c = f.cor(x, y); c != FiguraGerada::MASCARA && c != FiguraGerada::CONTORNO) ++contagem[c];
        auto maior = std::max_element(contagem.begin(), contagem.end(),
                                      [](const auto& a, const auto& b) { return a.second < b.second; });
        ASSERT_NE(maior, contagem.end());
        principais.insert(maior->first);
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", maior->first);
        lista += std::string(" ") + hex;
    }
    EXPECT_EQ(principais.size(), 6u) << "most used colours:" << lista;
}

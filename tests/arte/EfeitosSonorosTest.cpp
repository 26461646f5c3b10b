// The sound effects the build wrote, as the game reads them and a player
// hears them.
#include "AllegroSemTela.h"

#include "classesBasicas/Recursos.h"
#include "classesBasicas/Som.h"
#include "dados/Sons.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The effect's samples, -1 to 1; empty when the game cannot read it.
std::vector<double> efeito(sons::Efeito e) {
    semTela::iniciar();
    recursos::Amostra a(Som::carregarEfeito(sons::caminho(e)));
    std::vector<double> v;
    if (!a || a->bits != 16 || a->stereo || a->freq != sons::FREQUENCIA) return v;
    for (unsigned long i = 0; i < a->len; ++i)
        v.push_back((static_cast<const uint16_t*>(a->data)[i] - 32768.0) / 32768.0);
    return v;
}

// Sign changes a second in [de, ate): a flip's voices glide together, so
// this follows their pitch.
double cruzamentos(const std::vector<double>& v, size_t de, size_t ate) {
    int n = 0;
    double antes = 0;
    for (size_t i = de; i < ate; ++i)
        if (v[i] != 0) {
            n += antes * v[i] < 0;
            antes = v[i];
        }
    return n * double(sons::FREQUENCIA) / double(ate - de);
}

}  // namespace

TEST(EfeitosSonoros, EachIsThereAtItsLengthLoudButUnclippedAndStartsAndEndsQuietly) {
    for (int i = 0; i < sons::NUM_EFEITOS; ++i) {
        SCOPED_TRACE(sons::ARQUIVOS[i].nome);
        const std::vector<double> v = efeito(static_cast<sons::Efeito>(i));
        ASSERT_EQ(v.size(), size_t(sons::FREQUENCIA) * size_t(sons::ARQUIVOS[i].duracaoMs) / 1000);
        double pico = 0, quadrados = 0;
        for (double x : v) {
            pico = std::max(pico, std::fabs(x));
            quadrados += x * x;
        }
        // As loud as effects are made, never full scale: six of them and the
        // music must still fit together.
        EXPECT_NEAR(pico, sons::PICO, 0.01);
        EXPECT_GT(std::sqrt(quadrados / double(v.size())), 0.12) << "too quiet to be heard over the music";
        EXPECT_LT(std::fabs(v.front()), 0.05) << "a click as it starts";
        EXPECT_EQ(v.back(), 0.0) << "a click as it stops";
    }
}

TEST(EfeitosSonoros, AFlipUpGlidesUpAndAFlipDownGlidesDownLower) {
    const std::vector<double> cima = efeito(sons::Efeito::VIRAR_TETO), baixo = efeito(sons::Efeito::VIRAR_CHAO);
    ASSERT_FALSE(cima.empty());
    ASSERT_EQ(baixo.size(), cima.size());
    const size_t n = cima.size(), t = n / 3;
    EXPECT_GT(cruzamentos(cima, n - t, n), 1.3 * cruzamentos(cima, 0, t));
    EXPECT_LT(cruzamentos(baixo, n - t, n), cruzamentos(baixo, 0, t) / 1.3);
    EXPECT_GT(cruzamentos(cima, 0, n), 2.0 * cruzamentos(baixo, 0, n)) << "a flip up sounds higher than a flip down";
}

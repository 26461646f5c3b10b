// The sound effects as the build wrote them and a player hears them: each
// WAV file read back here, independently of the code that wrote it.
#include "classesBasicas/Som.h"
#include "dados/Sons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Wav {
    int formato = 0, canais = 0, frequencia = 0, bits = 0;
    std::vector<double> amostras;  // -1 to 1
};

uint32_t le(const std::vector<uint8_t>& d, size_t p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | d.at(p + static_cast<size_t>(i));
    return v;
}

Wav lerWav(const std::string& caminho) {
    std::ifstream in(caminho, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Wav w;
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF") return w;
    for (size_t p = 12; p + 8 <= d.size();) {
        const std::string nome(d.begin() + long(p), d.begin() + long(p) + 4);
        const size_t tamanho = le(d, p + 4, 4);
        if (nome == "fmt ") {
            w.formato = int(le(d, p + 8, 2));
            w.canais = int(le(d, p + 10, 2));
            w.frequencia = int(le(d, p + 12, 4));
            w.bits = int(le(d, p + 22, 2));
        } else if (nome == "data" && w.bits == 16) {
            for (size_t i = 0; i + 1 < tamanho; i += 2)
                w.amostras.push_back(int16_t(le(d, p + 8 + i, 2)) / 32768.0);
        }
        p += 8 + tamanho + (tamanho & 1);
    }
    return w;
}

double pico(const std::vector<double>& a) {
    double m = 0;
    for (double x : a) m = std::max(m, std::fabs(x));
    return m;
}

double rms(const std::vector<double>& a) {
    double s = 0;
    for (double x : a) s += x * x;
    return a.empty() ? 0 : std::sqrt(s / double(a.size()));
}

// Sign changes a second in [de, ate) of the sound: the voices of a flip
// glide together, so this follows their pitch.
double cruzamentos(const Wav& w, size_t de, size_t ate) {
    int n = 0, sinal = 0;
    for (size_t i = de; i < ate; ++i) {
        const int s = w.amostras[i] > 0 ? 1 : w.amostras[i] < 0 ? -1 : 0;
        if (s != 0 && sinal != 0 && s != sinal) ++n;
        if (s != 0) sinal = s;
    }
    return n * double(w.frequencia) / double(ate - de);
}

Wav efeito(sons::Efeito e) { return lerWav(sons::caminho(e)); }

}  // namespace

TEST(EfeitosSonoros, EachIsThereAtItsLengthLoudAndUnclippedAndTheGameReadsIt) {
    for (int i = 0; i < sons::NUM_EFEITOS; ++i) {
        const auto e = static_cast<sons::Efeito>(i);
        SCOPED_TRACE(sons::caminho(e));
        const Wav w = efeito(e);
        ASSERT_EQ(w.formato, 1) << "missing, or not PCM";
        EXPECT_EQ(w.canais, 1);
        EXPECT_EQ(w.bits, 16);
        ASSERT_EQ(w.frequencia, sons::FREQUENCIA);
        EXPECT_EQ(w.amostras.size(), size_t(sons::FREQUENCIA) * size_t(sons::ARQUIVOS[i].duracaoMs) / 1000);
        ASSERT_FALSE(w.amostras.empty());
        // As loud as the effects are made, never at full scale: six of them
        // together and the music must still fit.
        EXPECT_NEAR(pico(w.amostras), sons::PICO, 0.01);
        EXPECT_GT(rms(w.amostras), 0.12) << "too quiet to be heard over the music";
        // No click where a voice starts or stops.
        EXPECT_LT(std::fabs(w.amostras.front()), 0.05);
        EXPECT_EQ(w.amostras.back(), 0.0);
        EXPECT_EQ(Som::defeitoWav(sons::caminho(e)), "");
    }
}

TEST(EfeitosSonoros, AFlipUpGlidesUpAndAFlipDownGlidesDownLower) {
    const Wav cima = efeito(sons::Efeito::VIRAR_TETO), baixo = efeito(sons::Efeito::VIRAR_CHAO);
    ASSERT_FALSE(cima.amostras.empty());
    ASSERT_FALSE(baixo.amostras.empty());
    const size_t n = cima.amostras.size(), t = n / 3;
    ASSERT_EQ(baixo.amostras.size(), n);
    const double cimaInicio = cruzamentos(cima, 0, t), cimaFim = cruzamentos(cima, n - t, n);
    const double baixoInicio = cruzamentos(baixo, 0, t), baixoFim = cruzamentos(baixo, n - t, n);
    EXPECT_GT(cimaFim, 1.3 * cimaInicio);
    EXPECT_LT(baixoFim, baixoInicio / 1.3);
    EXPECT_GT(cruzamentos(cima, 0, n), 2.0 * cruzamentos(baixo, 0, n)) << "a flip up sounds higher than a flip down";
}

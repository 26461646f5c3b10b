// The Enter prompt's row of keys and the rules screen's block of keys as
// the game writes them over the painted pictures, for the controls it runs
// with.
#include "AllegroSemTela.h"

#include "dados/Leiaute.h"
#include "classesControle/LegendaTeclas.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {

using configuracao::Controles;

// A painted picture, loaded as the game loads it.
class Prompt {
public:
    explicit Prompt(const char* caminho = "src/Img/menu/enter.bmp",
                    const leiaute::Peca& faixa = leiaute::TECLAS_ENTRADA)
        : f(faixa) {
        semTela::iniciar();
        bitmap = load_bitmap(caminho, nullptr);
    }
    ~Prompt() {
        if (bitmap) destroy_bitmap(bitmap);
    }
    Prompt(const Prompt&) = delete;
    Prompt& operator=(const Prompt&) = delete;

    // Pixels that differ from `outro`'s, inside or outside the band of keys.
    int diferencas(const Prompt& outro, bool naFaixa) const {
        int n = 0;
        for (int y = 0; y < bitmap->h; ++y)
            for (int x = 0; x < bitmap->w; ++x) {
                const bool dentro = x >= f.x && x < f.x + f.largura && y >= f.y && y < f.y + f.altura;
                if (dentro == naFaixa && getpixel(bitmap, x, y) != getpixel(outro.bitmap, x, y)) ++n;
            }
        return n;
    }

    // Whether nothing written touches the band's sides.
    ::testing::AssertionResult bordasLimpas() const {
        const int fundo = getpixel(bitmap, f.x, f.y);
        for (int y = f.y; y < f.y + f.altura; ++y)
            for (int x : {f.x, f.x + 1, f.x + f.largura - 2, f.x + f.largura - 1})
                if (getpixel(bitmap, x, y) != fundo) return ::testing::AssertionFailure() << "at " << x << "," << y;
        for (int x = f.x; x < f.x + f.largura; ++x)
            for (int y : {f.y, f.y + f.altura - 1})
                if (getpixel(bitmap, x, y) != fundo) return ::testing::AssertionFailure() << "at " << x << "," << y;
        return ::testing::AssertionSuccess();
    }

    BITMAP* bitmap = nullptr;
    const leiaute::Peca f;
};

TEST(LegendaTeclas, TheUsualKeysWrittenByTheGameAreThePaintedOnes) {
    Prompt pintado, escrito;
    ASSERT_TRUE(pintado.bitmap && escrito.bitmap);
    EXPECT_TRUE(legendaTeclas::isComoPintada(configuracao::padrao(), 0));
    legendaTeclas::desenhar(escrito.bitmap, configuracao::padrao(), 0);
    EXPECT_EQ(escrito.diferencas(pintado, true), 0);
    EXPECT_EQ(escrito.diferencas(pintado, false), 0);
}

// Six players with long key names and gamepads: the row does not fit at
// the painted size, and still stays inside its band.
TEST(LegendaTeclas, OtherControlsRewriteTheBandAndFitInIt) {
    Controles c = configuracao::padrao();
    c[4].tecla = KEY_Q;
    EXPECT_FALSE(legendaTeclas::isComoPintada(c, 0));
    EXPECT_FALSE(legendaTeclas::isComoPintada(configuracao::padrao(), 1)) << "a gamepad is shown";
    const int longas[6] = {KEY_RSHIFT, KEY_LCONTROL, KEY_BACKSPACE, KEY_ENTER_PAD, KEY_RCONTROL, KEY_LSHIFT};
    for (int j = 0; j < 6; ++j) {
        c[j].tecla = longas[j];
        c[j].botao = 31;
    }

    Prompt pintado, escrito;
    ASSERT_TRUE(pintado.bitmap && escrito.bitmap);
    legendaTeclas::desenhar(escrito.bitmap, c, 6);
    EXPECT_GT(escrito.diferencas(pintado, true), 0);
    EXPECT_EQ(escrito.diferencas(pintado, false), 0);
    EXPECT_TRUE(escrito.bordasLimpas());
}

// The rules screen's block: the usual keys written by the game are the
// painted ones; others, with gamepads and a runner without a key, change
// only the block.
TEST(LegendaTeclas, TheRulesScreenShowsTheKeysInUseInItsBlockOnly) {
    const char* regras = "src/Img/menu/bg_instrucoes.bmp";
    const leiaute::Peca& bloco = leiaute::TECLAS_REGRAS;
    Prompt pintado(regras, bloco), usual(regras, bloco);
    ASSERT_TRUE(pintado.bitmap && usual.bitmap);
    legendaTeclas::desenharRegras(usual.bitmap, configuracao::padrao(), 0);
    EXPECT_EQ(usual.diferencas(pintado, true), 0);
    EXPECT_EQ(usual.diferencas(pintado, false), 0);

    for (int pads : {0, 6}) {
        Controles c = configuracao::padrao();
        c[1].tecla = configuracao::NENHUM;
        c[4].tecla = KEY_RSHIFT;
        c[5].tecla = KEY_ENTER_PAD;
        c[2].botao = 31;
        Prompt escrito(regras, bloco);
        legendaTeclas::desenharRegras(escrito.bitmap, c, pads);
        EXPECT_GT(escrito.diferencas(pintado, true), 0) << pads << " pads";
        EXPECT_EQ(escrito.diferencas(pintado, false), 0) << pads << " pads";
        EXPECT_TRUE(escrito.bordasLimpas()) << pads << " pads";
    }
}

}  // namespace

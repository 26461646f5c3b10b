// The Enter prompt's row of keys as the game writes it over the painted
// picture, for the controls it runs with.
#include "AllegroSemTela.h"

#include "dados/Leiaute.h"
#include "classesControle/LegendaTeclas.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {

using configuracao::Controles;

// The painted prompt, loaded as the game loads it.
class Prompt {
public:
    Prompt() {
        semTela::iniciar();
        bitmap = load_bitmap("src/Img/menu/enter.bmp", nullptr);
    }
    ~Prompt() {
        if (bitmap) destroy_bitmap(bitmap);
    }
    Prompt(const Prompt&) = delete;
    Prompt& operator=(const Prompt&) = delete;

    // Pixels that differ from `outro`'s, inside or outside the band of keys.
    int diferencas(const Prompt& outro, bool naFaixa) const {
        const leiaute::Peca& f = leiaute::TECLAS_ENTRADA;
        int n = 0;
        for (int y = 0; y < bitmap->h; ++y)
            for (int x = 0; x < bitmap->w; ++x) {
                const bool dentro = x >= f.x && x < f.x + f.largura && y >= f.y && y < f.y + f.altura;
                if (dentro == naFaixa && getpixel(bitmap, x, y) != getpixel(outro.bitmap, x, y)) ++n;
            }
        return n;
    }

    BITMAP* bitmap = nullptr;
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
    // Nothing written touches the band's sides.
    const leiaute::Peca& f = leiaute::TECLAS_ENTRADA;
    const int fundo = getpixel(escrito.bitmap, f.x, f.y);
    for (int y = f.y; y < f.y + f.altura; ++y)
        for (int x : {f.x, f.x + 1, f.x + f.largura - 2, f.x + f.largura - 1})
            ASSERT_EQ(getpixel(escrito.bitmap, x, y), fundo) << x << "," << y;
}

}  // namespace

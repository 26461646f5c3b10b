// Both levels are fair to a person who only sees the screen.
#include "AllegroSemTela.h"
#include "prova/CorridaNivel.h"
#include "prova/ModeloJogador.h"
#include "prova/VistaNivel.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Recursos.h"
#include "niveis/Campanha.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The model and the level's end are judged by the view a race tells: it
// must be the one the engine shows. The runners have no pictures, so the
// screen is exactly the level's picture from the view's left edge. In
// level 2, with no key pressed, nobody wins and the view goes on across
// every speed column.
TEST(VistaNivel, FollowsTheViewTheEngineShowsFrameByFrame) {
    const niveis::Nivel& nivel = niveis::daCampanha(2);
    semTela::iniciar();
    recursos::Bitmap visual(Imagem::carregar(nivel.visual));
    ASSERT_TRUE(visual);
    CorridaNivel corrida(nivel, 1, true);
    VistaNivel vista(corrida);
    while (vista.getDireita() + vista.getVelocidade() < niveis::COMPRIMENTO) {
        corrida.avancar();
        for (int y : {0, 200, 479}) {
            const auto* tela = reinterpret_cast<const uint32_t*>(screen->line[y]);
            const auto* figura = reinterpret_cast<const uint32_t*>(visual->line[y]) + vista.getX();
            ASSERT_EQ(std::memcmp(tela, figura, VistaNivel::LARGURA * sizeof(uint32_t)), 0)
                << "frame " << corrida.getQuadro() << ", view at " << vista.getX() << ", row " << y;
        }
    }
    EXPECT_GT(vista.getX(), nivel.boosts.back().x);
}

// Whoever reacts in 300 or 400 ms, give or take a little, gets through
// every level, looking ahead half a second or most of the screen: a change
// that puts a danger where a person cannot see it in time, or that only a
// narrow way of looking ahead gets through, fails here.
TEST(Justeza, APlayerReactingIn300Or400MsGetsThroughEveryLevel) {
    for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) {
        const niveis::Nivel& nivel = niveis::daCampanha(n);
        const ModeloJogador modelo(nivel, Objetivo::doNivel(nivel));
        for (int reacao : {300, 400})
            for (int olhar : {500, 800})
                for (uint32_t semente = 1; semente <= 3; ++semente) {
                    Reflexos r;
                    r.reacaoMs = reacao;
                    r.olharMs = olhar;
                    r.semente = semente;
                    const Partida p = modelo.jogar(r);
                    EXPECT_TRUE(p.alcancou) << "level " << n << ", reaction " << reacao << " ms, look-ahead "
                                            << olhar << " ms, seed " << semente << ": out at x = " << p.x << " ("
                                            << p.saida << ") in frame " << p.quadros;
                }
    }
}

class Aviso400 : public ::testing::TestWithParam<int> {};

// Every danger the way through asks a flip for shows at least 400 ms before
// the last press that passes it untouched, and at least 400 ms before the
// last that passes it at all from when the runner can flip for it, even
// after taking the danger before at the last moment: no danger is on the
// screen for less than a person needs, nor hidden behind a flight.
TEST_P(Aviso400, EveryDangerShowsAtLeast400MsBeforeTheLastPressThatPassesIt) {
    const niveis::Nivel& nivel = niveis::daCampanha(GetParam());
    const ModeloJogador modelo(nivel, Objetivo::doNivel(nivel));
    Reflexos r;
    r.olharMs = 600;
    const std::vector<Aviso> avisos = modelo.avisos(r);
    EXPECT_GT(avisos.size(), 10u);
    for (const Aviso& a : avisos) {
        EXPECT_TRUE(a.ultimoLimpo >= 0 && a.msLimpo() >= 400 && a.msVivoAposPouso() >= 400)
            << "x " << a.perigo.x << "-" << a.perigo.fim << " at " << a.velocidade << " px a frame: "
            << (a.ultimoLimpo >= 0 ? a.msLimpo() : -1) << " ms untouched, " << a.msVivoAposPouso()
            << " ms at all after a late flip before";
    }
}

INSTANTIATE_TEST_SUITE_P(Niveis, Aviso400, ::testing::Range(1, niveis::NUM_NIVEIS + 1),
                         [](const ::testing::TestParamInfo<int>& i) { return "Nivel" + std::to_string(i.param); });

}  // namespace

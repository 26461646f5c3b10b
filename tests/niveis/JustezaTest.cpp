// Both levels are fair to a person who only sees the screen.
#include "AllegroSemTela.h"
#include "CorridaNivel.h"
#include "ModeloJogador.h"
#include "VistaNivel.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace {

struct Destruir {
    void operator()(BITMAP* b) const { destroy_bitmap(b); }
};

// The model and the level's end are judged by the view a race's twin of its
// screen manager tells: it must be the one the engine shows. The runners
// race unseen, so the screen is exactly the level's picture from the view's
// left edge. In level 2, with no key pressed, nobody wins and the view goes
// on across every speed column.
TEST(VistaNivel, FollowsTheViewTheEngineShowsFrameByFrame) {
    const niveis::Nivel& nivel = niveis::NIVEL2;
    semTela::iniciar();
    std::unique_ptr<BITMAP, Destruir> visual(Imagem::carregar(nivel.visual));
    ASSERT_TRUE(visual);
    CorridaNivel corrida(nivel, 1);
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
    EXPECT_GT(vista.getX(), nivel.boosts[nivel.numBoosts - 1].x);
}

// Whoever reacts in 300 ms, give or take a little, gets through both
// levels, looking ahead half a second or most of the screen: a change that
// puts a danger where a person cannot see it in time, or that only a
// narrow way of looking ahead gets through, fails here.
TEST(Justeza, APlayerReactingIn300MsGetsThroughEveryLevel) {
    for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) {
        const niveis::Nivel& nivel = niveis::NIVEIS[n - 1];
        const ModeloJogador modelo(nivel, Objetivo::doNivel(nivel));
        for (int olhar : {500, 800})
            for (uint32_t semente = 1; semente <= 3; ++semente) {
                Reflexos r;
                r.reacaoMs = 300;
                r.olharMs = olhar;
                r.semente = semente;
                const Partida p = modelo.jogar(r);
                EXPECT_TRUE(p.alcancou) << "level " << n << ", look-ahead " << olhar << " ms, seed " << semente
                                        << ": out at x = " << p.x << " (" << p.saida << ") in frame " << p.quadros;
            }
    }
}

}  // namespace

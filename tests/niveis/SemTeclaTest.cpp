// Both levels with everyone's hands off the keys, from one to six players.
#include "AllegroSemTela.h"
#include "prova/CorridaNivel.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Mapa.h"
#include "classesBasicas/Recursos.h"
#include "classesDerivadas/Runner.h"
#include "niveis/Campanha.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

// A runner that never flips must be out within the first screens after the
// start: the flip key has to matter at once.
constexpr int X_SAIDA_MAXIMA = 2600;
constexpr int MAX_QUADROS = 1000;

struct SemTecla {
    int vencedores = 0;
    int xSaidaMaximo = 0;  // the furthest column a runner was at when it dropped out
    bool todosFora = false;
    bool repetir = false;  // the map asked for the level again
    bool acabou = false;   // the map counts the level as won
};

SemTecla correrSemTecla(const niveis::Nivel& nivel, int jogadores) {
    CorridaNivel c(nivel, jogadores);
    SemTecla r;
    std::array<int, niveis::MAX_JOGADORES> ultimoX{};
    while (c.naCorrida() > 0 && c.getQuadro() < MAX_QUADROS) {
        for (int i = 0; i < jogadores; ++i)
            if (c.runner(i).isAtivo()) ultimoX[static_cast<std::size_t>(i)] = c.runner(i).getPosicao().getX();
        r.repetir = c.avancar();
    }
    r.todosFora = c.naCorrida() == 0;
    r.acabou = c.isAcabada();
    for (int i = 0; i < jogadores; ++i) {
        r.vencedores += c.runner(i).isWinner() ? 1 : 0;
        r.xSaidaMaximo = std::max(r.xSaidaMaximo, ultimoX[static_cast<std::size_t>(i)]);
    }
    return r;
}

TEST(SemTecla, Level1IsWonAtItsStartWithAnyNumberOfPlayersAndEveryoneIsOutSoonAfter) {
    for (int jogadores = 1; jogadores <= niveis::MAX_JOGADORES; ++jogadores) {
        SCOPED_TRACE(jogadores);
        const SemTecla r = correrSemTecla(niveis::daCampanha(1), jogadores);
        EXPECT_GE(r.vencedores, 1);
        EXPECT_TRUE(r.todosFora);
        EXPECT_LT(r.xSaidaMaximo, X_SAIDA_MAXIMA);
        EXPECT_TRUE(r.acabou);
    }
}

TEST(SemTecla, NobodyWinsLevel2AndEveryoneIsOutSoonAfterTheStart) {
    for (int jogadores : {1, niveis::MAX_JOGADORES}) {
        SCOPED_TRACE(jogadores);
        const SemTecla r = correrSemTecla(niveis::daCampanha(2), jogadores);
        EXPECT_EQ(r.vencedores, 0);
        EXPECT_TRUE(r.todosFora);
        EXPECT_LT(r.xSaidaMaximo, X_SAIDA_MAXIMA);
        EXPECT_TRUE(r.repetir);
        EXPECT_FALSE(r.acabou);
    }
}

// Six runners fall from their stacked start onto the floor and onto each
// other. The start positions are 47 rows apart for boxes 48 rows high, so
// neighbours share one row until the stack comes apart; beyond that no box
// may enter another, nor the ground.
class PilhaDeSeis : public ::testing::TestWithParam<int> {};

TEST_P(PilhaDeSeis, RunnersStandOnEachOtherWithoutSinkingIntoEachOtherOrTheGround) {
    const niveis::Nivel& nivel = niveis::daCampanha(GetParam());
    CorridaNivel c(nivel, niveis::MAX_JOGADORES);
    recursos::Bitmap colisao(Imagem::carregar(nivel.colisao));
    ASSERT_TRUE(colisao);
    const int preto = makecol(0, 0, 0);
    const int n = niveis::MAX_JOGADORES, h = niveis::ALTURA_RUNNER, w = niveis::LARGURA_RUNNER;
    int empilhados = 0;  // frames with a runner standing on another
    while (c.naCorrida() > 0 && c.getQuadro() < MAX_QUADROS) {
        c.avancar();
        for (int i = 0; i < n; ++i) {
            const Runner& a = c.runner(i);
            if (!a.isAtivo()) continue;
            const int ax = a.getPosicao().getX(), ay = a.getPosicao().getY();
            int noChao = 0;
            for (int y = std::max(ay - h, 0); y <= std::min(ay, niveis::ALTURA - 1); ++y)
                for (int x = ax; x <= ax + w; ++x) noChao += getpixel(colisao.get(), x, y) == preto ? 1 : 0;
            EXPECT_EQ(noChao, 0) << "runner " << i << " inside the ground at frame " << c.getQuadro() << ", x = " << ax;
            for (int j = i + 1; j < n; ++j) {
                const Runner& b = c.runner(j);
                if (!b.isAtivo()) continue;
                const int bx = b.getPosicao().getX(), by = b.getPosicao().getY();
                if (ax > bx + w || bx > ax + w) continue;
                const int linhasComuns = std::min(ay, by) - std::max(ay - h, by - h) + 1;
                if ((ay == by - h - 1 && a.isNoChao()) || (by == ay - h - 1 && b.isNoChao())) ++empilhados;
                if (linhasComuns <= 0) continue;
                const bool comoNaPartida = linhasComuns == 1 && ay == niveis::Y_INICIAL + niveis::PASSO_Y * i &&
                                           by == niveis::Y_INICIAL + niveis::PASSO_Y * j;
                EXPECT_TRUE(comoNaPartida) << "runners " << i << " and " << j << " share " << linhasComuns
                                           << " rows at frame " << c.getQuadro();
            }
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(empilhados, 0);
}

INSTANTIATE_TEST_SUITE_P(Niveis, PilhaDeSeis, ::testing::Range(1, niveis::NUM_NIVEIS + 1),
                         [](const ::testing::TestParamInfo<int>& i) { return "Nivel" + std::to_string(i.param); });

}  // namespace

// Level 1 ends before its view could show anything past its pictures.
#include "prova/CorridaNivel.h"
#include "prova/VistaNivel.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Recursos.h"
#include "niveis/Campanha.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace {

// The last column the view's left edge may reach: its window then ends on
// the pictures' last column.
constexpr int X_MAXIMO_DA_VISTA = niveis::COMPRIMENTO - VistaNivel::LARGURA;

// The level is won at its start and then lasts until its last runner is
// out; the view stops there. A runner is out at once off the top or the
// bottom, and left behind once the view's left edge passes it; so rock
// that closes the level from some column to the last is the one bound on
// where the view stops, whatever the runners do: it stops at most one
// frame's step past that column.
TEST(FimDoNivel, Level1IsClosedByRockTheViewCannotPassBeyondThePicture) {
    CorridaNivel corrida(niveis::daCampanha(1), 1);  // sets Allegro up
    recursos::Bitmap colisao(Imagem::carregar(niveis::daCampanha(1).colisao));
    ASSERT_TRUE(colisao);
    int rocha = niveis::COMPRIMENTO;  // the first column of the closing rock
    auto fechada = [&](int x) {
        for (int y = 0; y < niveis::ALTURA; ++y)
            if (getpixel(colisao.get(), x, y) != makecol(0, 0, 0)) return false;
        return true;
    };
    while (rocha > 0 && fechada(rocha - 1)) --rocha;
    const auto& ultima = niveis::daCampanha(1).boosts.back();
    ASSERT_LT(ultima.x, rocha);
    EXPECT_LE(rocha - 1 + ultima.velocidade, X_MAXIMO_DA_VISTA);
}

// The same on the engine: six runners brought into the last stretch, on the
// floor and on the ceiling, some lagging at the view's left edge, each
// flipping as it reaches the gorge's edge, a little before it, or never.
class FimDoNivel1 : public ::testing::TestWithParam<std::optional<int>> {};

TEST_P(FimDoNivel1, EveryRunnerIsOutBeforeTheViewPassesThePicturesEnd) {
    const niveis::Nivel& nivel = niveis::daCampanha(1);
    constexpr int BORDA = 17100;  // where the ground ends at the gorge
    CorridaNivel corrida(nivel, niveis::MAX_JOGADORES);
    VistaNivel vista(corrida);
    // The runners sit the way there out; with no winner yet, the view
    // goes on as in any race.
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
        EstadoRunner fora = corrida.estado(i);
        fora.ativo = false;
        corrida.assumir(i, fora);
    }
    while (vista.getX() < 16850) corrida.avancar();
    const int apartir = corrida.getQuadro();
    const int v = vista.getVelocidade();
    const int adiante[] = {-40, 20, 80, 140, 200, 230};  // from the view's left edge
    int aperto[niveis::MAX_JOGADORES] = {};
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
        EstadoRunner e = corrida.estado(i);
        const bool noTeto = i % 2 == 1;
        e.x = vista.getX() + adiante[i];
        e.y = noTeto ? 60 + niveis::ALTURA_RUNNER + 1 : 399;  // under the ceiling at 60, on the floor at 400
        e.sinal = noTeto ? -1 : 1;
        e.velH = v;
        e.velV = 0.0;
        e.noChao = true;
        e.ativo = true;
        e.winner = true;  // as everyone who came through the start
        corrida.assumir(i, e);
        // Behind the view's middle a runner gains a pixel a frame.
        const int passo = adiante[i] + niveis::LARGURA_RUNNER < VistaNivel::LARGURA / 2 ? v + 1 : v;
        aperto[i] = GetParam() ? apartir + 1 + (BORDA - e.x) / passo - *GetParam() : 0;
    }
    int maior = vista.getX();
    while (!corrida.isAcabada() && corrida.getQuadro() < apartir + 200) {
        for (int i = 0; i < niveis::MAX_JOGADORES; ++i)
            if (aperto[i] == corrida.getQuadro() + 1) corrida.apertar(i);
        corrida.avancar();
        maior = std::max(maior, vista.getX());
    }
    RecordProperty("vistaMaxima", maior);
    EXPECT_TRUE(corrida.isAcabada());
    EXPECT_LE(maior, X_MAXIMO_DA_VISTA);
    EXPECT_GT(corrida.getQuadro(), apartir + 10);  // they were racing there
}

INSTANTIATE_TEST_SUITE_P(Niveis, FimDoNivel1, ::testing::Values(std::nullopt, 0, 2),
                         [](const ::testing::TestParamInfo<std::optional<int>>& i) {
                             if (!i.param) return std::string("NoFlip");
                             if (*i.param == 0) return std::string("FlipAtTheEdge");
                             return "Flip" + std::to_string(*i.param) + "FramesBeforeTheEdge";
                         });

}  // namespace

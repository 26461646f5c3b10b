// The level builders, on plain stand-in pictures at the real levels' paths.
#include "AllegroSemTela.h"

#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"
#include "main/main.h"
#include "niveis/Campanha.h"

#include <allegro.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class MontagemTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar(true);
        semTela::usarRelogioFalso();
        // The campaign's speed columns and finish lines, from its files.
        std::filesystem::create_directory(niveis::PASTA);
        for (const niveis::ArquivosNivel& n : niveis::NIVEIS)
            std::filesystem::copy_file(std::string(AVESSO_NIVEIS_DIR) + "/" + n.texto,
                                       std::string(niveis::PASTA) + "/" + n.texto);
        // No terrain at all: every runner falls out of the bottom at once.
        // A level picture covers the whole level.
        BITMAP* branco = create_bitmap_ex(8, niveis::COMPRIMENTO, 480);
        clear_to_color(branco, 1);
        PALETTE paleta = {};
        paleta[1] = {63, 63, 63, 0};
        ASSERT_EQ(save_bmp(niveis::NIVEIS[0].visual, branco, paleta), 0);
        destroy_bitmap(branco);
        for (const char* copia : {niveis::NIVEIS[0].colisao, niveis::NIVEIS[1].visual, niveis::NIVEIS[1].colisao})
            std::filesystem::copy_file(niveis::NIVEIS[0].visual, copia);
    }
    void TearDown() override { semTela::usarRelogioReal(); }

    semTela::PastaDeTrabalho pasta;
    std::string players[6] = {"src/Img/Jogo/player 4a.bmp", "src/Img/Jogo/player 1a.bmp", "c", "d", "e", "f"};
};

TEST_F(MontagemTest, RunnersFollowTheOrderOfChoiceAndStandStacked) {
    Runner* criados[6] = {};
    static Runner** destino;
    destino = criados;
    Mapa* mapa = montarNivel(niveis::daCampanha(1), players, 6, [](int i, Runner* r) { destino[i] = r; });
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(criados[i], nullptr);
        EXPECT_EQ(criados[i]->getNumPlayer(), i + 1);
        EXPECT_EQ(criados[i]->getPosicao().getX(), 320);
        EXPECT_EQ(criados[i]->getPosicao().getY(), 102 + 47 * i);
        EXPECT_EQ(criados[i]->getNome(), "player");
    }
    // Player 1 chose character 4, whose sheet is not there; player 2's is.
    EXPECT_EQ(criados[0]->getBitmap(), nullptr);
    EXPECT_NE(criados[1]->getBitmap(), nullptr);
    // Runners first, then the columns, then the line: consecutive colours.
    EXPECT_EQ(criados[5]->getCorColisao(), criados[0]->getCorColisao() + 5);
    delete mapa;
}

TEST_F(MontagemTest, TheBuildersInstallOneCallbackPerRunnerAndTheLoopRemovesThem) {
    Mapa* mapa = carregaMapa2(players, 2);
    EXPECT_NE(pointPlayers[0], nullptr);
    EXPECT_NE(pointPlayers[1], nullptr);
    EXPECT_EQ(pointPlayers[2], nullptr);
    Runner* primeiro = pointPlayers[0];
    primeiro->setNoChao(true);
    // The callbacks read key[] on the timer thread: press it atomically.
    __atomic_store_n(&key[KEY_X], 1, __ATOMIC_RELEASE);
    for (int i = 0; i < 2000 && __atomic_load_n(&key[KEY_X], __ATOMIC_ACQUIRE); ++i) rest(1);
    EXPECT_EQ(primeiro->getSinalGravidade(), -1);
    descarregarControle(2);
    EXPECT_EQ(pointPlayers[0], nullptr);
    delete mapa;
}

// Every attempt at a level builds a new map from the level's pictures,
// decoded once: twenty retries in a row, each played until the race ends,
// neither read the files again nor leave memory behind, and leaving the
// level lets the pictures go.
TEST_F(MontagemTest, TwentyAttemptsDoNotGrowMemory) {
    auto jogar = [&] {
        Mapa* mapa = carregaMapa1(players, 6);
        int quadros = 0;
        // Level 1's finish line stands in the first screen: someone wins.
        while (!mapa->atualizarMapa() && !mapa->isOver()) {
            semTela::avancar(34);
            ASSERT_LT(++quadros, 100);
        }
        descarregarControle(6);
        delete mapa;
    };
    auto emUso = [] {
        struct mallinfo2 m = mallinfo2();
        return static_cast<long>(m.uordblks + m.hblkhd);
    };
    const long antesDoNivel = emUso();
    jogar();  // also lets the first attempt settle whatever stays for good
    const long depoisDeUma = emUso();
    EXPECT_LT(FigurasNivel::bytesGuardados(), 2u * niveis::COMPRIMENTO * 480 / 8 + 1024) << "one bit a pixel";
    // The retries find what they need kept: the files are not read again.
    std::remove(niveis::NIVEIS[0].visual);
    std::remove(niveis::NIVEIS[0].colisao);
    for (int i = 0; i < 20; ++i) jogar();
    // A few bytes come and go with the timer's bookkeeping; a kept picture
    // or buffer would be megabytes.
    EXPECT_LT(emUso() - depoisDeUma, 1024) << "bytes still held after 20 attempts";

    FigurasNivel::liberar();  // the level is left
    EXPECT_LT(emUso(), antesDoNivel + 16 * 1024);
    EXPECT_THROW(delete carregaMapa1(players, 6), int) << "the pictures were kept after the level was left";
}

}  // namespace

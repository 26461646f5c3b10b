// Adding a level is a text file and an entry in the table. A throwaway third
// level, written here in a few lines, is painted by the generator, built by
// the game's own level builder and played through on the real engine.
#include "AllegroSemTela.h"
#include "PintorNivel.h"
#include "prova/Solucionador.h"

#include "dados/Niveis.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(NovoNivel, ALevelWrittenInAFewLinesIsPaintedBuiltAndPlayedThrough) {
    semTela::PastaDeTrabalho pasta;
    std::ofstream("terceiro.txt") << "tema noite\n"
                                     "chao 0 400\n"
                                     "teto 0 40\n"
                                     "chao 3000 -     # a pit: up to the ceiling before it\n"
                                     "chao +300 400\n"
                                     "teto 6000 -     # the sky opens: back down before it\n";
    static constexpr niveis::BoostTelaNivel BOOSTS[] = {{2, 12}};
    const niveis::Nivel terceiro = {"terceiro.txt", "src/Img/Jogo/visual3.bmp", "src/Img/Jogo/colisao3.bmp",
                                    BOOSTS, 1, 9000, 399, 40};
    PintorNivel::gerar("terceiro.txt", terceiro, ".");

    const Objetivo objetivo = Objetivo::doNivel(terceiro);
    ASSERT_TRUE(objetivo.exigeVitoria);
    Solucionador solucionador(terceiro, objetivo);
    const auto cronograma = solucionador.resolver();
    ASSERT_TRUE(cronograma) << solucionador.getRelato();
    const Desfecho desfecho = jogar(terceiro, objetivo, *cronograma);
    EXPECT_TRUE(desfecho.alcancou) << "out at frame " << desfecho.quadros << ", x = " << desfecho.x;
    // Over the pit and back under the open sky.
    EXPECT_EQ(desfecho.viradas.size(), 2u);
}

}  // namespace

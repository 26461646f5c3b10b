// Adding a level is a text file. A throwaway third level, written here in a
// few lines, is read, painted, built by the game's own level builder and
// played through on the real engine.
#include "AllegroSemTela.h"
#include "prova/Solucionador.h"

#include "niveis/ArquivoNivel.h"
#include "niveis/PintorNivel.h"

#include <gtest/gtest.h>

namespace {

TEST(NovoNivel, ALevelWrittenInAFewLinesIsPaintedBuiltAndPlayedThrough) {
    semTela::PastaDeTrabalho pasta;
    const ArquivoNivel::Leitura leitura = ArquivoNivel::lerTexto(
        "tema noite\n"
        "velocidade 2 12\n"
        "chegada 9000 399 40\n"
        "chao 0 400\n"
        "teto 0 40\n"
        "chao 3000 -     # a pit: up to the ceiling before it\n"
        "chao +300 400\n"
        "teto 6000 -     # the sky opens: back down before it\n",
        "terceiro.txt");
    ASSERT_TRUE(leitura) << leitura.erro;
    const niveis::Nivel terceiro =
        leitura.descricao->paraJogar("terceiro.txt", "src/Img/Jogo/visual3.bmp", "src/Img/Jogo/colisao3.bmp");
    PintorNivel::gerar(*leitura.descricao, terceiro.visual, terceiro.colisao);

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

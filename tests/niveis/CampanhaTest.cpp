// The campaign the game plays, as the game's own level builder places it,
// against its numbers written out here: a value changed anywhere fails.
#include "AllegroSemTela.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Mapa.h"
#include "classesDerivadas/BoostTela.h"
#include "classesDerivadas/Runner.h"
#include "main/main.h"
#include "niveis/Campanha.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct NivelDaCampanha {
    const char* visual;
    const char* colisao;
    std::vector<std::pair<int, int>> colunas;  // (x, pixels a frame), in the order they are placed
    int chegadaX, chegadaY, alturaChegada;
};

const NivelDaCampanha CAMPANHA[] = {
    {"src/Img/Jogo/visual1.bmp",
     "src/Img/Jogo/mapa_colisao1.bmp",
     {{2, 10}, {5000, 13}, {10400, 15}, {14000, 30}, {16700, 15}},
     440, 300, 40},
    {"src/Img/Jogo/visual2.bmp",
     "src/Img/Jogo/mapacolisao2.bmp",
     {{2, 11}, {5550, 20}, {9250, 12}, {13000, 18}, {14850, 25}, {15370, 18}},
     16427, 440, 75},
};
const int Y_RUNNERS[] = {102, 149, 196, 243, 290, 337};  // all at x = 320, one above the other

Runner* criados[6];

TEST(Campanha, EveryLevelIsBuiltWithItsPicturesColumnsFinishLineAndRunnersWhereTheyBelong) {
    semTela::iniciar();
    semTela::usarRelogioFalso();
    ASSERT_EQ(niveis::NUM_NIVEIS, 2);
    EXPECT_EQ(niveis::COMPRIMENTO, 18000);
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE("level " + std::to_string(n + 1));
        const NivelDaCampanha& esperado = CAMPANHA[n];
        const niveis::Nivel& nivel = niveis::daCampanha(n + 1);
        EXPECT_EQ(nivel.visual, esperado.visual);
        EXPECT_EQ(nivel.colisao, esperado.colisao);

        const std::string folhas[6];
        std::unique_ptr<Mapa> mapa(montarNivel(nivel, folhas, 6, [](int i, Runner* r) { criados[i] = r; }));
        for (int i = 0; i < 6; ++i) {
            const Runner& r = *criados[i];
            EXPECT_EQ(r.getNumPlayer(), i + 1);
            EXPECT_EQ(std::make_pair(r.getPosicao().getX(), r.getPosicao().getY()), std::make_pair(320, Y_RUNNERS[i]));
            EXPECT_EQ(std::make_pair(r.getLargura(), r.getAltura()), std::make_pair(42, 47));
            EXPECT_FALSE(r.isVoador());
        }

        // A frame publishes the map's tables. Colours are handed out in
        // the order of placing: runners, the columns in order, the line.
        mapa->atualizarMapa();
        std::map<int, Objeto*> todos(Colisor::getListaDePlayers()->begin(), Colisor::getListaDePlayers()->end());
        todos.insert(Colisor::getListaDeObjetos()->begin(), Colisor::getListaDeObjetos()->end());
        std::vector<std::string> ordem;
        std::vector<std::pair<int, int>> colunas;
        for (const auto& [cor, objeto] : todos) {
            ordem.push_back(objeto->getNome());
            if (objeto->getNome() == "boostTela") {
                colunas.push_back({objeto->getPosicao().getX(), static_cast<BoostTela*>(objeto)->getVelocidade()});
                EXPECT_EQ(objeto->getPosicao().getY(), 480);
            } else if (objeto->getNome() == "linhaChegada") {
                EXPECT_EQ(objeto->getPosicao().getX(), esperado.chegadaX);
                EXPECT_EQ(objeto->getPosicao().getY(), esperado.chegadaY);
                EXPECT_EQ(objeto->getAltura(), esperado.alturaChegada);
            }
        }
        EXPECT_EQ(colunas, esperado.colunas);
        std::vector<std::string> ordemEsperada(6, "player");
        ordemEsperada.insert(ordemEsperada.end(), esperado.colunas.size(), "boostTela");
        ordemEsperada.push_back("linhaChegada");
        EXPECT_EQ(ordem, ordemEsperada);
    }
}

}  // namespace

// Fresh levels from a seed: the same seed gives the same bytes, different
// seeds different levels, and every level `avesso-levels new` gives passes
// the check.
#include "comandoNiveis/ComandoNiveis.h"
#include "gerador/GeradorNivel.h"
#include "niveis/ArquivoNivel.h"
#include "prova/NivelEmProva.h"
#include "prova/VerificacaoNivel.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace {

// A level file without its comments: what is played.
std::string semComentarios(const std::string& texto) {
    std::istringstream linhas(texto);
    std::string saida;
    for (std::string linha; std::getline(linhas, linha);) saida += linha.substr(0, linha.find('#')) + "\n";
    return saida;
}

// Every candidate is a level file the game reads; a seed gives the same
// text every time and another seed another level, in both looks, at speeds
// from 10 to 30 pixels a frame, finishing far from the start.
TEST(GeradorNivel, CandidatesAreLevelFilesTheSameForASeedAndDifferentFromSeedToSeed) {
    std::set<std::string> niveis, temas;
    for (uint64_t semente = 0; semente < 100; ++semente) {
        const std::string texto = geradorNivel::gerar(semente, 0);
        ASSERT_EQ(geradorNivel::gerar(semente, 0), texto) << "seed " << semente;
        const ArquivoNivel::Leitura leitura = ArquivoNivel::lerTexto(texto, "seed " + std::to_string(semente));
        ASSERT_TRUE(leitura) << leitura.erro;
        niveis.insert(semComentarios(texto));
        temas.insert(leitura.descricao->getTema());
        for (const DescricaoNivel::Coluna& c : leitura.descricao->getColunas()) {
            EXPECT_GE(c.velocidade, 10) << "seed " << semente;
            EXPECT_LE(c.velocidade, 30) << "seed " << semente;
        }
        EXPECT_GT(leitura.descricao->getChegada().x, 15000) << "seed " << semente;
    }
    EXPECT_EQ(niveis.size(), 100u);
    EXPECT_EQ(temas, (std::set<std::string>{"campo", "noite"}));
}

// The check shares the engine's program-wide state (the colour counter,
// the kept pictures, the clock) with whatever ran before it: a level made
// again in the same process must come out byte for byte the same. What
// `new` gives passes the check again, on its own, read from its text.
TEST(GeradorNivel, OneSeedMadeTwiceGivesTheSameBytesWhichPassTheCheckAgain) {
    const comandoNiveis::Novo primeiro = comandoNiveis::novo(11);
    ASSERT_FALSE(primeiro.texto.empty());
    const comandoNiveis::Novo segundo = comandoNiveis::novo(11);
    EXPECT_EQ(segundo.texto, primeiro.texto);
    EXPECT_EQ(segundo.candidatos, primeiro.candidatos);

    const ArquivoNivel::Leitura leitura = ArquivoNivel::lerTexto(primeiro.texto, "fresh");
    ASSERT_TRUE(leitura) << leitura.erro;
    const NivelEmProva nivel(*leitura.descricao);
    const verificacaoNivel::Resultado r =
        verificacaoNivel::verificar(nivel.getNivel(), verificacaoNivel::Modo::ATE_DECIDIR);
    EXPECT_TRUE(r.isCertificado()) << verificacaoNivel::veredito(r);
}

class NivelDeSemente : public ::testing::TestWithParam<int> {};

// Ten seeds, ten levels: each seed gives a certified candidate of its own,
// the level file of the candidate that passed.
TEST_P(NivelDeSemente, ASeedGivesTheFirstOfItsCandidatesThatPassesTheCheck) {
    const auto semente = static_cast<uint64_t>(GetParam());
    const comandoNiveis::Novo novo = comandoNiveis::novo(semente);
    ASSERT_FALSE(novo.texto.empty()) << novo.candidatos << " candidates, none certified";
    EXPECT_EQ(novo.texto, geradorNivel::gerar(semente, novo.candidatos - 1));
    RecordProperty("candidatos", novo.candidatos);
}

INSTANTIATE_TEST_SUITE_P(Sementes, NivelDeSemente, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& i) { return "Semente" + std::to_string(i.param); });

}  // namespace

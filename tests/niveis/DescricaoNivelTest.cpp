// The level files' reader and the generator's refusals.
#include "DescricaoNivel.h"
#include "PintorNivel.h"
#include "Relevo.h"

#include "dados/Niveis.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

DescricaoNivel ler(const std::string& texto) {
    std::istringstream entrada(texto);
    return DescricaoNivel::ler(entrada, "teste.txt");
}

std::string erroDe(const std::string& texto) {
    try {
        ler(texto);
    } catch (const DescricaoNivel::Erro& e) {
        return e.what();
    }
    return "";
}

const char* BASE = "tema campo\nchao 0 400\nteto 0 40\n";

TEST(DescricaoNivel, ProfilesLastUntilTheirNextLineAndPlusCountsFromThePreviousOne) {
    const DescricaoNivel d = ler(std::string(BASE) + "chao 1000 -  # a pit\nchao +200 380\n");
    EXPECT_EQ(DescricaoNivel::limiteEm(d.getChao(), 999), 400);
    EXPECT_EQ(DescricaoNivel::limiteEm(d.getChao(), 1000), DescricaoNivel::NENHUM);
    EXPECT_EQ(DescricaoNivel::limiteEm(d.getChao(), 1199), DescricaoNivel::NENHUM);
    EXPECT_EQ(DescricaoNivel::limiteEm(d.getChao(), 1200), 380);
    const Relevo relevo(d);
    EXPECT_TRUE(relevo.solido(999, 400));
    EXPECT_FALSE(relevo.solido(999, 399));
    EXPECT_FALSE(relevo.solido(1100, 479));
    EXPECT_TRUE(relevo.solido(5, 40));
    EXPECT_FALSE(relevo.solido(5, 41));
}

TEST(DescricaoNivel, AMistakeIsReportedWithItsLine) {
    EXPECT_NE(erroDe(std::string(BASE) + "\nchao 900 30x\n").find("teste.txt:5"), std::string::npos);
    EXPECT_NE(erroDe(std::string(BASE) + "chao 500 400\nchao 400 400\n").find(":5: columns of 'chao' must grow"),
              std::string::npos);
    EXPECT_NE(erroDe(std::string(BASE) + "bloco 17990 10 20 20\n").find(":4: the block does not fit"),
              std::string::npos);
    EXPECT_NE(erroDe(std::string(BASE) + "parede 3 4\n").find(":4: unknown word 'parede'"), std::string::npos);
    EXPECT_NE(erroDe("chao 0 400\nteto 0 40\n").find("no 'tema'"), std::string::npos);
}

TEST(DescricaoNivel, TheGeneratorRefusesLevelsTheEngineCannotPlayFairly) {
    auto recusa = [](const std::string& texto) {
        try {
            PintorNivel::validar(Relevo(ler(texto)), niveis::NIVEL1, "teste.txt");
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(recusa(std::string(BASE)), "");
    EXPECT_NE(recusa(std::string(BASE) + "chao 2000 80\nchao +10 400\n").find("no runner fits through column 2000"),
              std::string::npos);
    // Rock to the last column ends the level; rock with a way on is a wall no one passes.
    EXPECT_EQ(recusa(std::string(BASE) + "chao 17300 0\n"), "");
    EXPECT_NE(recusa(std::string(BASE) + "chao 17300 0\nchao 17990 400\n").find("through column 17300"),
              std::string::npos);
    EXPECT_NE(recusa(std::string(BASE) + "bloco 330 120 10 10\n").find("would start inside the ground"),
              std::string::npos);
    EXPECT_NE(recusa(std::string(BASE) + "bloco 430 250 20 20\n").find("finish line lies in the ground"),
              std::string::npos);
    // Level 1 has a speed column at x = 5000.
    EXPECT_NE(recusa(std::string(BASE) + "chao 5000 300\n").find("speed column at x = 5000"), std::string::npos);
}

}  // namespace

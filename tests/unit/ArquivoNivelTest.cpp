// The one reader of level files: what a file says, and the one line a file
// with a mistake gets instead of a level.
#include "niveis/ArquivoNivel.h"
#include "niveis/Relevo.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string BASE = "tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 10\nchegada 440 399 40\n";

ArquivoNivel::Leitura ler(const std::string& texto) { return ArquivoNivel::lerTexto(texto, "teste.txt"); }

TEST(ArquivoNivel, ProfilesLastUntilTheirNextLineAndPlusCountsFromThePreviousOne) {
    const ArquivoNivel::Leitura l =
        ler(BASE + "chao 1000 -  # a pit\nchao +200 380\nvelocidade 5000 13\nvelocidade +100 20\n");
    ASSERT_TRUE(l) << l.erro;
    const DescricaoNivel& d = *l.descricao;
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

    const niveis::Nivel n = d.paraJogar("t.txt", "v.bmp", "c.bmp");
    ASSERT_EQ(n.boosts.size(), 3u);
    EXPECT_EQ(n.boosts[2].x, 5100);
    EXPECT_EQ(n.boosts[2].velocidade, 20);
    EXPECT_EQ(std::vector<int>({n.chegadaX, n.chegadaY, n.alturaChegada}), std::vector<int>({440, 399, 40}));
}

// Each mistake gives one line, FILE:LINE: what, and no level.
TEST(ArquivoNivel, AFileWithAMistakeGivesItsOneLineAndNoLevel) {
    const struct {
        const char* oQue;
        std::string texto;
        std::string comeco;  // the line starts so...
        std::string diz;     // ...and says this
    } casos[] = {
        {"unknown word", BASE + "parede 3 4\n", "teste.txt:6: ", "unknown word 'parede'"},
        {"missing number", BASE + "chao 900\n", "teste.txt:6: ", "'chao' takes a column and a row"},
        {"bad number", BASE + "\nchao 900 30x\n", "teste.txt:7: ", "bad row '30x'"},
        {"column out of range", BASE + "chao 18000 400\n", "teste.txt:6: ", "column 18000 is outside the level"},
        {"columns not growing", BASE + "chao 500 400\nchao 400 400\n", "teste.txt:7: ", "columns of 'chao' must grow"},
        {"block outside", BASE + "bloco 17990 10 20 20\n", "teste.txt:6: ", "the block does not fit"},
        {"no finish line", "tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 10\n", "teste.txt:4: ",
         "no 'chegada'"},
        {"two finish lines", BASE + "chegada 900 399 40\n", "teste.txt:6: ", "a second 'chegada' (the first is on line 5)"},
        {"finish line inside rock", "tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 10\nchegada 600 420 40\n",
         "teste.txt:5: ", "the finish line lies in the ground"},
        {"no speed column", "tema campo\nchao 0 400\nteto 0 40\nchegada 440 399 40\n", "teste.txt:4: ",
         "no 'velocidade'"},
        {"speed 0", BASE + "velocidade 900 0\n", "teste.txt:6: ", "speed 0: the view needs at least 1 pixel a frame"},
        {"negative speed", BASE + "velocidade 900 -3\n", "teste.txt:6: ", "speed -3"},
        {"speed out of reach", BASE + "velocidade 900 1000000000000\n", "teste.txt:6: ", "bad speed"},
        {"unknown look", "tema praia\n", "teste.txt:1: ", "unknown look 'praia'"},
        {"no look", "chao 0 400\nteto 0 40\nvelocidade 2 10\nchegada 440 399 40\n", "teste.txt:4: ", "no 'tema'"},
        {"binary garbage", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\n\xff\xfe", 14), "teste.txt:1: ", "binary data"},
        {"empty file", "", "teste.txt:1: ", "the file is empty"},
        {"comments only", "# nothing yet\n\n", "teste.txt:2: ", "the file is empty"},
        // The engine could not play it as written.
        {"closed column", BASE + "chao 2000 80\nchao +10 400\n", "teste.txt:6: ", "no runner fits through column 2000"},
        {"start in the ground", BASE + "bloco 330 120 10 10\n", "teste.txt:6: ", "runner 2 would start inside the ground"},
        {"speed column on a wall", BASE + "velocidade 5000 13\nchao 5000 300\n", "teste.txt:6: ",
         "the speed column at x = 5000 stands on a wall's face"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.oQue);
        const ArquivoNivel::Leitura l = ler(c.texto);
        EXPECT_FALSE(l.descricao);
        EXPECT_EQ(l.erro.rfind(c.comeco, 0), 0u) << l.erro;
        EXPECT_NE(l.erro.find(c.diz), std::string::npos) << l.erro;
        EXPECT_EQ(l.erro.find('\n'), std::string::npos) << "one line";
        for (const char ch : l.erro) EXPECT_TRUE(ch >= ' ' && ch < 127) << "a character a terminal shows as it is";
    }
}

TEST(ArquivoNivel, WhatEditorsAddAndClosingRockAreFine) {
    EXPECT_TRUE(ler("\xEF\xBB\xBF" + BASE));                               // a byte-order mark
    EXPECT_TRUE(ler("tema campo\r\nchao 0 400\r\nteto 0 40\r\nvelocidade 2 10\r\nchegada 440 399 40"));
    EXPECT_TRUE(ler(BASE + "# n\xC3\xADvel: accents in a comment\n"));
    // Rock to the last column ends the level; rock with a way on is a wall.
    EXPECT_TRUE(ler(BASE + "chao 17300 0\n"));
    EXPECT_NE(ler(BASE + "chao 17300 0\nchao 17990 400\n").erro.find("through column 17300"), std::string::npos);
}

TEST(ArquivoNivel, WhatIsNotALevelFileIsSaidByName) {
    EXPECT_EQ(ArquivoNivel::ler("/nao/existe.txt").erro.rfind("/nao/existe.txt: cannot read it", 0), 0u);
    EXPECT_EQ(ArquivoNivel::ler("/", "pasta").erro, "pasta: a folder, not a level file");
    EXPECT_EQ(ArquivoNivel::ler("/dev/null").erro, "/dev/null: not a regular file");
}

}  // namespace

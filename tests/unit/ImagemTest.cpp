// Damaged picture files: Allegro's reader takes a truncated file for a whole
// picture of garbage and crashes on absurd sizes, so each one must be refused
// before Allegro sees it, exactly like a missing file.
#include "AllegroSemTela.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<char> ler(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void gravar(const std::string& caminho, const std::vector<char>& dados) {
    std::ofstream(caminho, std::ios::binary).write(dados.data(), static_cast<std::streamsize>(dados.size()));
}

void escreverU32(std::vector<char>& dados, size_t onde, uint32_t valor) {
    for (int i = 0; i < 4; ++i) dados[onde + static_cast<size_t>(i)] = static_cast<char>(valor >> (8 * i));
}

class ImagemTest : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAP* b = create_bitmap(64, 48);
        clear_to_color(b, makecol(10, 20, 30));
        ASSERT_TRUE(semTela::salvar("boa.bmp", b));
        destroy_bitmap(b);
        boa = ler("boa.bmp");
        ASSERT_GT(boa.size(), 54u);
    }

    bool aceita(const std::vector<char>& dados) {
        gravar("teste.bmp", dados);
        BITMAP* b = Imagem::carregar("teste.bmp");
        bool carregou = b != nullptr;
        if (b) destroy_bitmap(b);
        return carregou;
    }

    semTela::PastaDeTrabalho pasta;
    std::vector<char> boa;
};

TEST_F(ImagemTest, LoadsAWholePictureAndRefusesAMissingOne) {
    BITMAP* b = Imagem::carregar("boa.bmp");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->w, 64);
    EXPECT_EQ(getpixel(b, 5, 5), makecol(10, 20, 30));
    destroy_bitmap(b);
    EXPECT_EQ(Imagem::carregar("nao-existe.bmp"), nullptr);
}

TEST_F(ImagemTest, RefusesTruncatedFiles) {
    for (size_t tamanho : {size_t{0}, size_t{2}, size_t{30}, size_t{54}, boa.size() - 1})
        EXPECT_FALSE(aceita(std::vector<char>(boa.begin(), boa.begin() + static_cast<long>(tamanho))))
            << tamanho << " bytes";
}

TEST_F(ImagemTest, RefusesAbsurdDimensions) {
    std::vector<char> enorme = boa;
    escreverU32(enorme, 18, 0x7FFFFFFF);
    EXPECT_FALSE(aceita(enorme));
    enorme = boa;
    escreverU32(enorme, 22, 100000);
    EXPECT_FALSE(aceita(enorme));
    enorme = boa;
    escreverU32(enorme, 18, 0);
    EXPECT_FALSE(aceita(enorme));
    enorme = boa;
    escreverU32(enorme, 18, static_cast<uint32_t>(-64));
    EXPECT_FALSE(aceita(enorme));
}

TEST_F(ImagemTest, RefusesUnsupportedDepthsAndCompression) {
    std::vector<char> errada = boa;
    errada[28] = 7;  // bits per pixel
    EXPECT_FALSE(aceita(errada));
    errada = boa;
    errada[28] = 1;
    EXPECT_FALSE(aceita(errada));
    errada = boa;
    errada[30] = 1;  // run-length compressed
    EXPECT_FALSE(aceita(errada));
}

TEST_F(ImagemTest, RefusesGarbageAndOtherFormats) {
    std::vector<char> lixo(5000);
    for (size_t i = 0; i < lixo.size(); ++i) lixo[i] = static_cast<char>(i * 37 + 11);
    EXPECT_FALSE(aceita(lixo));
    lixo[0] = 'B';
    lixo[1] = 'M';
    EXPECT_FALSE(aceita(lixo));
    EXPECT_FALSE(aceita({'G', 'I', 'F', '8', '9', 'a'}));
}

}  // namespace

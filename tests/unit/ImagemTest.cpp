// Damaged picture files: Allegro's reader takes a truncated file for a whole
// picture of garbage and crashes on absurd sizes, so each one must be refused
// before Allegro sees it, exactly like a missing file.
#include "AllegroSemTela.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <stdexcept>
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

void juntar(std::vector<char>& d, std::initializer_list<int> bytes) {
    for (int b : bytes) d.push_back(static_cast<char>(b));
}

void juntarU16(std::vector<char>& d, uint32_t v) { juntar(d, {int(v & 0xFF), int(v >> 8 & 0xFF)}); }

void juntarU32(std::vector<char>& d, uint32_t v) {
    juntarU16(d, v & 0xFFFF);
    juntarU16(d, v >> 16);
}

// BMP encodings written by hand (Allegro's save_bmp writes only 8 and 24
// bits), each holding the same 13 x 7 picture.
constexpr int L = 13, A = 7;
constexpr uint32_t PLANO = 0, RLE8 = 1, RLE4 = 2, MASCARAS = 3;

struct Codificacao {
    const char* nome;
    int bits;
    uint32_t compressao;
    uint32_t vermelho, verde, azul;  // masks
    bool os2;
};

const uint8_t CORES[16][3] = {{0, 0, 0},     {255, 255, 255}, {255, 0, 0},     {0, 255, 0},
                              {0, 0, 255},   {255, 255, 0},   {0, 255, 255},   {255, 0, 128},
                              {128, 0, 0},   {0, 128, 0},     {0, 0, 128},     {128, 128, 0},
                              {0, 128, 128}, {128, 0, 255},   {128, 128, 128}, {255, 128, 0}};

// The run-length streams skip three pixels of row 3 with a move; what a
// move skips is colour 0.
bool pulado(const Codificacao& c, int x, int y) {
    return (c.compressao == RLE8 || c.compressao == RLE4) && y == 3 && x >= 4 && x < 7;
}

int indice(const Codificacao& c, int x, int y) {
    if (pulado(c, x, y)) return 0;
    return (x * 3 + y * 5 + x * y) % (c.bits == 1 ? 2 : 16);
}

// Rows bottom-up. Run-length rows alternate runs and stored pixels.
std::vector<char> pixels(const Codificacao& c) {
    std::vector<char> p;
    const bool rle = c.compressao == RLE8 || c.compressao == RLE4;
    const int porByte = c.compressao == RLE4 ? 2 : 1;  // pixels a byte holds in a run
    auto byteDe = [&](int x, int y) {
        if (porByte == 1) return indice(c, x, y);
        return indice(c, x, y) << 4 | (x + 1 < L ? indice(c, x + 1, y) : 0);
    };
    for (int y = A - 1; y >= 0; --y) {
        const size_t inicio = p.size();
        if (rle) {
            auto runs = [&](int de, int ate) {
                for (int x = de; x < ate; x += porByte) juntar(p, {std::min(porByte, ate - x), byteDe(x, y)});
            };
            if (y == 3) {
                runs(0, 4);
                juntar(p, {0, 2, 3, 0});  // move three pixels right
                runs(7, L);
            } else if (y % 2 == 0) {
                runs(0, L);
            } else {
                juntar(p, {0, L});
                size_t guardados = 0;
                for (int x = 0; x < L; x += porByte, ++guardados) juntar(p, {byteDe(x, y)});
                if (guardados % 2) juntar(p, {0});
            }
            juntar(p, {0, 0});
            continue;
        }
        uint32_t juntos = 0;
        int quantos = 0;
        for (int x = 0; x < L; ++x) {
            const uint8_t* cor = CORES[indice(c, x, y)];
            if (c.bits <= 8) {
                juntos = juntos << c.bits | static_cast<uint32_t>(indice(c, x, y));
                if ((quantos += c.bits) == 8) {
                    juntar(p, {static_cast<int>(juntos)});
                    juntos = 0;
                    quantos = 0;
                }
            } else if (c.bits == 16 && c.verde == 0x7E0) {
                juntarU16(p, static_cast<uint32_t>((cor[0] >> 3) << 11 | (cor[1] >> 2) << 5 | cor[2] >> 3));
            } else if (c.bits == 16) {
                juntarU16(p, static_cast<uint32_t>((cor[0] >> 3) << 10 | (cor[1] >> 3) << 5 | cor[2] >> 3));
            } else {
                juntar(p, {cor[2], cor[1], cor[0]});
                if (c.bits == 32) juntar(p, {0});
            }
        }
        if (quantos) juntar(p, {static_cast<int>(juntos << (8 - quantos))});
        while ((p.size() - inicio) % 4) juntar(p, {0});
    }
    if (rle) juntar(p, {0, 1});
    return p;
}

// The whole file: header, masks or palette, then `px`. 8-bit pictures
// declare the 16 colours they use; 1- and 4-bit ones have a whole palette.
std::vector<char> bmp(const Codificacao& c, const std::vector<char>& px) {
    const uint32_t cores = c.bits <= 8 ? (c.bits == 8 ? 16u : 1u << c.bits) : 0u;
    const uint32_t info = c.os2 ? 12 : 40;
    const uint32_t inicio = 14 + info + (c.compressao == MASCARAS ? 12 : 0) + cores * (c.os2 ? 3 : 4);
    std::vector<char> d = {'B', 'M'};
    for (uint32_t v : {inicio + static_cast<uint32_t>(px.size()), 0u, inicio, info}) juntarU32(d, v);
    if (c.os2) {
        for (uint32_t v : {L, A, 1, c.bits}) juntarU16(d, static_cast<uint32_t>(v));
    } else {
        juntarU32(d, L);
        juntarU32(d, A);
        juntarU16(d, 1);
        juntarU16(d, static_cast<uint32_t>(c.bits));
        for (uint32_t v : {c.compressao, static_cast<uint32_t>(px.size()), 2835u, 2835u, c.bits == 8 ? cores : 0u, 0u})
            juntarU32(d, v);
    }
    if (c.compressao == MASCARAS)
        for (uint32_t v : {c.vermelho, c.verde, c.azul}) juntarU32(d, v);
    for (uint32_t i = 0; i < cores; ++i) {
        const uint8_t* cor = CORES[i % 16];
        juntar(d, {cor[2], cor[1], cor[0]});
        if (!c.os2) juntar(d, {0});
    }
    d.insert(d.end(), px.begin(), px.end());
    return d;
}

std::vector<char> bmp(const Codificacao& c) { return bmp(c, pixels(c)); }

const Codificacao CODIFICACOES[] = {
    {"1 bit", 1, PLANO, 0, 0, 0, false},
    {"4 bits", 4, PLANO, 0, 0, 0, false},
    {"8 bits", 8, PLANO, 0, 0, 0, false},
    {"RLE4", 4, RLE4, 0, 0, 0, false},
    {"RLE8", 8, RLE8, 0, 0, 0, false},
    {"16 bits", 16, PLANO, 0, 0, 0, false},
    {"16 bits, 5-5-5 masks", 16, MASCARAS, 0x7C00, 0x3E0, 0x1F, false},
    {"16 bits, 5-6-5 masks", 16, MASCARAS, 0xF800, 0x7E0, 0x1F, false},
    {"24 bits", 24, PLANO, 0, 0, 0, false},
    {"32 bits", 32, PLANO, 0, 0, 0, false},
    {"32 bits, masks", 32, MASCARAS, 0xFF0000, 0xFF00, 0xFF, false},
    {"OS/2, 4 bits", 4, PLANO, 0, 0, 0, true},
    {"OS/2, 24 bits", 24, PLANO, 0, 0, 0, true},
};

const Codificacao& codificacao(const std::string& nome) {
    for (const Codificacao& c : CODIFICACOES)
        if (nome == c.nome) return c;
    throw std::invalid_argument(nome);
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

    // Only checks: the files refused here are those Allegro's reader
    // mistakes or breaks on.
    bool integro(const std::vector<char>& dados) {
        gravar("teste.bmp", dados);
        return Imagem::isBmpIntegro("teste.bmp");
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

// Allegro reads each of these whole; a check that knew only the 8, 16, 24
// and 32-bit plain ones would refuse the rest as damaged, and a modder's
// picture would vanish.
TEST_F(ImagemTest, LoadsEveryEncodingAllegroReadsWhole) {
    for (const Codificacao& c : CODIFICACOES) {
        SCOPED_TRACE(c.nome);
        gravar("teste.bmp", bmp(c));
        BITMAP* b = Imagem::carregar("teste.bmp");
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->w, L);
        EXPECT_EQ(b->h, A);
        int erradas = 0;
        for (int y = 0; y < A; ++y)
            for (int x = 0; x < L; ++x) {
                const int p = getpixel(b, x, y);
                const uint8_t* cor = CORES[indice(c, x, y)];
                if (std::abs(getr(p) - cor[0]) > 8 || std::abs(getg(p) - cor[1]) > 8 ||
                    std::abs(getb(p) - cor[2]) > 8)
                    ++erradas;
            }
        EXPECT_EQ(erradas, 0);
        destroy_bitmap(b);
    }
}

// Files Allegro reads in the wrong colours, or not at all.
TEST_F(ImagemTest, RefusesWhatAllegroReadsWrong) {
    std::vector<char> d = boa;
    d[28] = 7;  // bits per pixel
    EXPECT_FALSE(integro(d)) << "7 bits";
    d = boa;
    d[30] = RLE8;
    EXPECT_FALSE(integro(d)) << "24 bits run-length coded";
    d = bmp(codificacao("4 bits"));
    d[30] = RLE8;
    EXPECT_FALSE(integro(d)) << "RLE8 on 4 bits";
    d = boa;
    d[14] = 124;  // a later Windows header
    EXPECT_FALSE(integro(d)) << "a 124-byte header";

    // Pixels that start inside the palette are read from its colours.
    for (const char* nome : {"8 bits", "4 bits", "RLE8", "OS/2, 4 bits"}) {
        d = bmp(codificacao(nome));
        escreverU32(d, 10, static_cast<unsigned char>(d[10]) - 4u);  // one colour early
        EXPECT_FALSE(integro(d)) << nome << ", pixels in the palette";
    }
    d = bmp(codificacao("4 bits"));
    escreverU32(d, 46, 17);  // more colours than 4 bits tell apart
    EXPECT_FALSE(integro(d));

    // Masks: Allegro knows three sets, and reads the pixels right after them.
    const Codificacao mascarasErradas[] = {
        {"16 bits, 8-8-8 masks", 16, MASCARAS, 0xFF0000, 0xFF00, 0xFF, false},
        {"32 bits, 5-6-5 masks", 32, MASCARAS, 0xF800, 0x7E0, 0x1F, false},
        {"16 bits, 5-6-5 masks, green 5", 16, MASCARAS, 0xF800, 0x3E0, 0x1F, false},
        {"24 bits, masks", 24, MASCARAS, 0xFF0000, 0xFF00, 0xFF, false}};
    for (const Codificacao& c : mascarasErradas) EXPECT_FALSE(integro(bmp(c))) << c.nome;
    d = bmp(codificacao("16 bits, 5-6-5 masks"));
    d.insert(d.begin() + 66, 4, 0);
    escreverU32(d, 10, 70);
    EXPECT_FALSE(integro(d)) << "a gap after the masks";
}

// Allegro's run-length decoder checks nothing: a stream cut short is read on
// as 0xFF bytes, and a run past the end of a row writes past the bitmap
// (both corrupted the heap when tried).
TEST_F(ImagemTest, RefusesRunLengthStreamsThatLeaveThePictureOrTheFile) {
    for (const char* nome : {"RLE8", "RLE4"}) {
        const std::vector<char> inteiro = bmp(codificacao(nome));
        ASSERT_TRUE(integro(inteiro));
        // Cut anywhere before the end of its top row (the 4 bytes left are
        // that row's end and the end of the picture).
        const size_t inicio = static_cast<unsigned char>(inteiro[10]);
        for (size_t tamanho = inicio; tamanho + 4 < inteiro.size(); ++tamanho)
            EXPECT_FALSE(integro(std::vector<char>(inteiro.begin(), inteiro.begin() + static_cast<long>(tamanho))))
                << nome << " cut to " << tamanho << " bytes";
    }

    // 13 x 7, 8 bits: each stream goes wrong in its first row.
    const Codificacao rle8 = codificacao("RLE8");
    auto fluxo = [&](std::vector<int> bytes) {
        bytes.insert(bytes.end(), {0, 1});
        return bmp(rle8, std::vector<char>(bytes.begin(), bytes.end()));
    };
    EXPECT_TRUE(integro(fluxo({13, 1, 0, 0})));
    std::vector<char> seteLinhas;  // Allegro stops at the end of the top row
    for (int y = 0; y < A; ++y) juntar(seteLinhas, {L, 1, 0, 0});
    EXPECT_TRUE(integro(bmp(rle8, seteLinhas))) << "no end of picture after the top row";
    EXPECT_FALSE(integro(fluxo({14, 1, 0, 0}))) << "a run past the row";
    EXPECT_FALSE(integro(fluxo({10, 1, 4, 2, 0, 0}))) << "two runs past the row";
    EXPECT_FALSE(integro(fluxo({10, 1, 0, 4, 1, 2, 3, 4, 0, 0}))) << "stored pixels past the row";
    EXPECT_FALSE(integro(fluxo({0, 2, 14, 0, 0, 0}))) << "a move past the right edge";
    EXPECT_FALSE(integro(fluxo({0, 2, 0, 7, 0, 0}))) << "a move above the top";
    EXPECT_FALSE(integro(fluxo({0, 3, 1, 2}))) << "stored pixels past the file";
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

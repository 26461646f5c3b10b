// The game's levels from files: the built-in campaign played from its texts
// is the campaign the build paints, picture for picture and number for
// number; the pictures painted go to the cache, which a second start finds,
// a damaged one is painted again, and with no cache they live in memory.
#include "AllegroSemTela.h"

#include "main/ListaNiveis.h"
#include "niveis/Campanha.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string conteudo(const std::string& caminho) {
    std::ifstream f(caminho, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

class ListaNiveisTest : public ::testing::Test {
protected:
    // The build tree: the game's data folder, the tests' working directory,
    // and the campaign as the game reads it there.
    const fs::path jogo = fs::current_path();
    const std::vector<niveis::Nivel> campanha = [] {
        std::vector<niveis::Nivel> v;
        for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) v.push_back(niveis::daCampanha(n));
        return v;
    }();
    semTela::PastaDeTrabalho pasta;
    const fs::path cache = fs::path(pasta.caminho()) / "cache";

    fs::path figuras() const { return cache / "figuras"; }
    int guardadas() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(figuras())) n += e.path().string().find("-visual.bmp") != std::string::npos;
        return n;
    }
};

TEST_F(ListaNiveisTest, TheCampaignFromItsTextsIsTheCampaignTheBuildPaints) {
    // Older levels in a full cache: the least recently used go.
    fs::create_directories(figuras());
    for (int i = 0; i < 20; ++i)
        for (const char* parte : {"-visual.bmp", "-colisao.bmp"}) {
            const fs::path p = figuras() / ("antigo" + std::to_string(i) + parte);
            std::ofstream(p) << "x";
            fs::last_write_time(p, fs::file_time_type::clock::now() - std::chrono::hours(24 + i));
        }

    ListaNiveis lista = ListaNiveis::dosArquivos({"niveis"}, jogo, cache);
    ASSERT_TRUE(lista.getErros().empty()) << lista.getErros().front();
    ASSERT_EQ(lista.tamanho(), niveis::NUM_NIVEIS);
    for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        const niveis::Nivel& daCampanha = campanha[n - 1];
        const niveis::Nivel& doArquivo = lista.preparar(n);
        EXPECT_EQ(doArquivo.texto, "niveis/" + std::string(niveis::NIVEIS[n - 1].texto));
        ASSERT_EQ(doArquivo.boosts.size(), daCampanha.boosts.size());
        for (size_t b = 0; b < daCampanha.boosts.size(); ++b) {
            EXPECT_EQ(doArquivo.boosts[b].x, daCampanha.boosts[b].x);
            EXPECT_EQ(doArquivo.boosts[b].velocidade, daCampanha.boosts[b].velocidade);
        }
        EXPECT_EQ(doArquivo.chegadaX, daCampanha.chegadaX);
        EXPECT_EQ(doArquivo.chegadaY, daCampanha.chegadaY);
        EXPECT_EQ(doArquivo.alturaChegada, daCampanha.alturaChegada);
        EXPECT_EQ(fs::path(doArquivo.visual).parent_path(), figuras());
        EXPECT_TRUE(conteudo(doArquivo.visual) == conteudo((jogo / daCampanha.visual).string())) << "visual picture";
        EXPECT_TRUE(conteudo(doArquivo.colisao) == conteudo((jogo / daCampanha.colisao).string())) << "collision";
    }
    EXPECT_EQ(guardadas(), FigurasPintadas::MAX_NIVEIS);
    EXPECT_TRUE(fs::exists(lista.preparar(1).visual)) << "the levels just painted stay";
    EXPECT_FALSE(fs::exists(figuras() / "antigo19-visual.bmp")) << "the oldest goes";
}

TEST_F(ListaNiveisTest, TheCacheIsFoundADamagedPictureRepaintedAndWithoutItTheLevelLivesInMemory) {
    const std::vector<std::string> nivel1 = {(jogo / "niveis" / niveis::NIVEIS[0].texto).string()};
    const std::string pintado = ListaNiveis::dosArquivos(nivel1, jogo, cache).preparar(1).visual;
    const auto quando = fs::last_write_time(pintado);
    // A second start finds it.
    EXPECT_EQ(ListaNiveis::dosArquivos(nivel1, jogo, cache).preparar(1).visual, pintado);
    EXPECT_EQ(fs::file_size(pintado), fs::file_size(jogo / niveis::NIVEIS[0].visual));
    // Cut short, it is painted again.
    fs::resize_file(pintado, 1000);
    EXPECT_EQ(ListaNiveis::dosArquivos(nivel1, jogo, cache).preparar(1).visual, pintado);
    EXPECT_EQ(fs::file_size(pintado), fs::file_size(jogo / niveis::NIVEIS[0].visual));
    EXPECT_NE(fs::last_write_time(pintado), quando);

    // A file where the cache's folder should be: the pictures go to memory,
    // whole, and stay there while the list lives.
    std::ofstream(pasta.caminho() + "/arquivo") << "not a folder";
    ListaNiveis semCache = ListaNiveis::dosArquivos(nivel1, jogo, fs::path(pasta.caminho()) / "arquivo");
    const niveis::Nivel& naMemoria = semCache.preparar(1);
    EXPECT_EQ(naMemoria.visual.rfind("/proc/self/fd/", 0), 0u) << naMemoria.visual;
    EXPECT_TRUE(conteudo(naMemoria.visual) == conteudo((jogo / niveis::NIVEIS[0].visual).string()));
    EXPECT_TRUE(conteudo(naMemoria.colisao) == conteudo((jogo / niveis::NIVEIS[0].colisao).string()));
}

// Folders give their *.txt files; everything is played in name order; what
// is not a level is said and left out.
TEST_F(ListaNiveisTest, FoldersAndFilesArePlayedInNameOrderAndMistakesLeftOut) {
    const std::string texto = "tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 10\nchegada 440 399 40\n";
    fs::create_directories("meus/vazia");
    for (const char* nome : {"meus/b.txt", "meus/d.txt", "c.txt", "meus/.oculto.txt"}) std::ofstream(nome) << texto;
    std::ofstream("meus/leia.md") << "not a level";
    std::ofstream("meus/a.txt") << texto << "parede 1 2\n";
    ListaNiveis lista = ListaNiveis::dosArquivos({"meus", "c.txt", "meus/vazia"}, pasta.caminho(), cache);
    ASSERT_EQ(lista.tamanho(), 3);
    EXPECT_EQ(lista.getNome(1), "meus/b.txt");
    EXPECT_EQ(lista.getNome(2), "c.txt");
    EXPECT_EQ(lista.getNome(3), "meus/d.txt");
    const std::vector<std::string> erros = {"meus/vazia: no level files (*.txt) in this folder",
                                            "meus/a.txt:6: unknown word 'parede' (expected tema, chao, teto, "
                                            "bloco, velocidade or chegada)"};
    EXPECT_EQ(lista.getErros(), erros);
}

}  // namespace

// Where the game finds its pictures and music, whatever folder it is started
// from. Each case lays out real folders in a temporary tree; the program's
// path is made up, as /proc/self/exe would give it.
#include "sistema/PastaDados.h"

#include "PastaTemporaria.h"

#include "dados/Figuras.h"
#include "dados/Niveis.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using pastaDados::Lugares;

namespace {

class PastaDadosTest : public ::testing::Test {
protected:
    void SetUp() override {
        vazia = raiz / "vazia";
        fs::create_directories(vazia);
    }

    // A folder holding the files the game cannot play without.
    fs::path comDados(const fs::path& rel) {
        fs::create_directories(raiz / rel / "src/Img/menu");
        fs::create_directories(raiz / rel / "src/Img/Jogo");
        fs::create_directories(raiz / rel / niveis::PASTA);
        for (const niveis::ArquivosNivel& n : niveis::NIVEIS)
            for (const std::string& arquivo : {std::string(niveis::PASTA) + "/" + n.texto, std::string(n.visual),
                                               std::string(n.colisao)})
                std::ofstream(raiz / rel / arquivo) << "BM";
        for (int k = 1; k <= 6; ++k) std::ofstream(raiz / rel / figuras::folha(k)) << "BM";
        return raiz / rel;
    }

    std::optional<fs::path> achar(const Lugares& l) const {
        return pastaDados::procurar(pastaDados::candidatas(l), pastaDados::temDados);
    }

    Lugares lugares(const fs::path& atual, const fs::path& programa) const {
        Lugares l;
        l.atual = atual;
        l.programa = programa;
        l.instalados = "../share/games/avesso";
        return l;
    }

    PastaTemporaria temporaria{"avesso-pasta-dados"};
    const fs::path& raiz = temporaria.caminho();
    fs::path vazia;
};

// The menu's pictures may be missing (the menus are still usable); a level
// picture, a level's text or a runner's sheet may not: the game would open a window only
// to stop at the first level.
TEST_F(PastaDadosTest, AFolderCountsOnlyWithTheLevelsAndTheRunners) {
    EXPECT_TRUE(pastaDados::temDados(comDados("jogo")));
    EXPECT_FALSE(pastaDados::temDados(vazia));
    EXPECT_FALSE(pastaDados::temDados(raiz / "nao-existe"));
    fs::create_directories(raiz / "arvore/src/Img/menu");
    fs::create_directories(raiz / "arvore/src/Img/Jogo");
    EXPECT_FALSE(pastaDados::temDados(raiz / "arvore")) << "the picture tree, empty";
    EXPECT_EQ(pastaDados::arquivoQueFalta(raiz / "arvore"), "src/Img/Jogo/visual1.bmp");
    const fs::path metade = comDados("metade");
    fs::remove(metade / "src/Img/Jogo/player 6a.bmp");
    fs::create_directory(metade / "src/Img/Jogo/player 6a.bmp");
    fs::remove(comDados("sem-texto") / niveis::PASTA / niveis::NIVEIS[1].texto);
    EXPECT_EQ(pastaDados::arquivoQueFalta(raiz / "sem-texto"), std::string("niveis/") + niveis::NIVEIS[1].texto);
    EXPECT_EQ(pastaDados::arquivoQueFalta(metade), "src/Img/Jogo/player 6a.bmp") << "a folder is no picture";
    EXPECT_NE(pastaDados::mensagemSemDados({metade}, "--data").find("no src/Img/Jogo/player 6a.bmp"),
              std::string::npos);
}

TEST_F(PastaDadosTest, AFolderGivenIsTheOnlyOneTried) {
    const fs::path atual = comDados("atual");
    Lugares l = lugares(atual, comDados("build") / "avesso");
    l.escolhida = comDados("escolhida");
    EXPECT_EQ(achar(l), l.escolhida);
    // Given but wrong: reported, not replaced by the data found elsewhere.
    l.escolhida = vazia;
    EXPECT_EQ(pastaDados::candidatas(l), std::vector<fs::path>{vazia});
    EXPECT_EQ(achar(l), std::nullopt);
}

TEST_F(PastaDadosTest, TheWorkingDirectoryComesBeforeTheInstalledGame) {
    comDados("usr/share/games/avesso");
    const fs::path atual = comDados("atual");
    EXPECT_EQ(achar(lugares(atual, raiz / "usr/games/avesso")), atual);
}

TEST_F(PastaDadosTest, AnInstalledGameFindsItsDataFromItsOwnFolder) {
    // Staged with DESTDIR or moved: only the relative layout counts.
    const fs::path dados = comDados("destdir/usr/share/games/avesso");
    EXPECT_EQ(achar(lugares(vazia, raiz / "destdir/usr/games/avesso")), dados);
    // ... before any data beside the program.
    comDados("destdir/usr/games");
    EXPECT_EQ(achar(lugares(vazia, raiz / "destdir/usr/games/avesso")), dados);
    // Without a working directory (removed under the program) too.
    EXPECT_EQ(achar(lugares({}, raiz / "destdir/usr/games/avesso")), dados);
}

TEST_F(PastaDadosTest, TheBuildTreeIsTheProgramsOwnFolder) {
    const fs::path build = comDados("build");
    EXPECT_EQ(achar(lugares(vazia, build / "avesso")), build);
    // Started from the build folder itself: tried once, found once.
    const auto c = pastaDados::candidatas(lugares(build, build / "avesso"));
    EXPECT_EQ(c, (std::vector<fs::path>{build, raiz / "share/games/avesso"}));
}

TEST_F(PastaDadosTest, NothingFoundSaysWhereItLookedInOneLine) {
    const Lugares l = lugares(vazia, raiz / "usr/games/avesso");
    EXPECT_EQ(achar(l), std::nullopt);
    const std::string linha = pastaDados::mensagemSemDados(pastaDados::candidatas(l), "");
    EXPECT_EQ(linha.find('\n'), std::string::npos);
    for (const fs::path& p : {vazia, raiz / "usr/share/games/avesso", raiz / "usr/games"})
        EXPECT_NE(linha.find(p.string()), std::string::npos) << linha << "\nshould name " << p;
    EXPECT_NE(linha.find("--data"), std::string::npos) << "and how to give the folder: " << linha;

    const std::string dada = pastaDados::mensagemSemDados({vazia}, "AVESSO_DADOS");
    EXPECT_NE(dada.find(vazia.string()), std::string::npos) << dada;
    EXPECT_NE(dada.find("AVESSO_DADOS"), std::string::npos) << dada;
}

pastaDados::Opcoes ler(std::vector<const char*> args) {
    args.insert(args.begin(), "avesso");
    return pastaDados::lerOpcoes(static_cast<int>(args.size()), args.data());
}

TEST(OpcoesTest, DataTakesAFolderEitherWay) {
    EXPECT_EQ(ler({}).pastaDados, "");
    EXPECT_EQ(ler({}).erro, "");
    EXPECT_EQ(ler({"--data", "/opt/avesso"}).pastaDados, "/opt/avesso");
    EXPECT_EQ(ler({"--data=rel/pasta"}).pastaDados, "rel/pasta");
    EXPECT_EQ(ler({"--data", "/opt/avesso"}).erro, "");
    EXPECT_TRUE(ler({"--help"}).ajuda);
}

TEST(OpcoesTest, AnythingElseIsAnError) {
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--data"}, {"--data", ""}, {"--data="}, {"--dados", "x"}, {"-d"}, {"pasta"}, {"--data", "a", "b"}}) {
        const pastaDados::Opcoes o = ler(args);
        EXPECT_NE(o.erro, "") << "accepted: " << ::testing::PrintToString(args);
    }
    EXPECT_NE(ler({"--fast"}).erro.find("--fast"), std::string::npos) << "names the option";
}

TEST(OpcoesTest, LevelsTakeEveryArgumentUpToTheNextOption) {
    using V = std::vector<std::string>;
    EXPECT_EQ(ler({"--levels", "meus", "b.txt", "--scale", "2"}).niveis, V({"meus", "b.txt"}));
    EXPECT_EQ(ler({"--levels", "meus", "b.txt", "--scale", "2"}).escala, "2");
    EXPECT_EQ(ler({"--levels=a.txt"}).niveis, V({"a.txt"}));
    for (const auto& args : std::vector<std::vector<const char*>>{{"--levels"}, {"--levels", "--fullscreen"}, {"--levels="}})
        EXPECT_EQ(ler(args).erro, "--levels needs a folder or level files") << ::testing::PrintToString(args);
}

TEST(OpcoesTest, SeedTakesAWholeNumberOrRandomAndNotLevelsBeside) {
    EXPECT_EQ(ler({"--seed", "4711"}).semente, "4711");
    EXPECT_EQ(ler({"--seed=random", "--scale", "2"}).semente, "random");
    EXPECT_EQ(ler({"--seed", "18446744073709551615"}).erro, "");
    for (const auto& args : std::vector<std::vector<const char*>>{
             {"--seed"}, {"--seed", "-3"}, {"--seed", "4x"}, {"--seed", "18446744073709551616"}, {"--seed="}})
        EXPECT_NE(ler(args).erro.find("--seed needs"), std::string::npos) << ::testing::PrintToString(args);
    EXPECT_EQ(ler({"--seed", "1", "--levels", "a.txt"}).erro, "--seed and --levels cannot go together");
}

}  // namespace

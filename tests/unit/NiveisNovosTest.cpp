// The makers of a --seed game's levels: started in processes of their own,
// found again in the cache, said when they fail, stopped with the game.
// avesso-levels is played here by small shell scripts.
#include "main/NiveisNovos.h"

#include "PastaTemporaria.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class NiveisNovosTest : public ::testing::Test {
protected:
    // A stand-in for avesso-levels: `corpo` runs with its arguments
    // (new --seed N -o FILE), and every run is logged.
    fs::path comando(const std::string& corpo) {
        const fs::path caminho = raiz / "avesso-levels";
        std::ofstream(caminho) << "#!/bin/sh\necho \"$3\" >> '" << (raiz / "chamadas").string() << "'\n"
                               << corpo << "\n";
        chmod(caminho.c_str(), 0755);
        return caminho;
    }
    std::string chamadas() const {
        std::ifstream f(raiz / "chamadas");
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    static void esperar(NiveisNovos& novos) {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!novos.isPronto() && std::chrono::steady_clock::now() < limite) {
        }
    }

    PastaTemporaria temporaria{"avesso-niveis-novos"};
    const fs::path& raiz = temporaria.caminho();
};

TEST_F(NiveisNovosTest, TheSeedAndTheTwoAfterItAreMadeOnceAndFoundInTheCacheAfter) {
    const fs::path feito = comando("echo \"seed $3\" > \"$5\"");
    {
        NiveisNovos novos(18446744073709551615ull, raiz / "cache", feito);
        esperar(novos);
        ASSERT_TRUE(novos.getErros().empty()) << novos.getErros().front();
        const auto arquivos = novos.getArquivos();
        ASSERT_EQ(arquivos.size(), 3u);
        // Past the largest seed, counting on from 0.
        const char* sementes[] = {"18446744073709551615", "0", "1"};
        for (int i = 0; i < 3; ++i) {
            std::ifstream f(arquivos[static_cast<std::size_t>(i)]);
            std::string linha;
            std::getline(f, linha);
            EXPECT_EQ(linha, std::string("seed ") + sementes[i]);
        }
    }
    const std::string antes = chamadas();
    NiveisNovos denovo(18446744073709551615ull, raiz / "cache", feito);
    EXPECT_TRUE(denovo.isPronto());
    EXPECT_EQ(denovo.getGuardados(), 3);
    EXPECT_EQ(chamadas(), antes) << "nothing made again";
}

TEST_F(NiveisNovosTest, AMakerThatFailsOrIsMissingIsSaidInOneLine) {
    NiveisNovos falha(7, raiz / "cache", comando("exit 3"));
    esperar(falha);
    ASSERT_FALSE(falha.getErros().empty());
    EXPECT_NE(falha.getErros().front().find("could not be made (avesso-levels ended with code 3)"), std::string::npos)
        << falha.getErros().front();
    EXPECT_TRUE(falha.getArquivos().empty());

    NiveisNovos sem(7, raiz / "cache", raiz / "nada" / "avesso-levels");
    EXPECT_TRUE(sem.isPronto());
    ASSERT_EQ(sem.getErros().size(), 1u);
    EXPECT_NE(sem.getErros().front().find("cannot run"), std::string::npos) << sem.getErros().front();
}

// A game quit while its levels are made does not wait for them, nor leaves
// them running; with no cache folder the levels go to a folder of their own,
// which goes with them.
TEST_F(NiveisNovosTest, QuittingStopsTheMakersAtOnce) {
    auto temporarias = [] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(fs::temp_directory_path()))
            n += e.path().filename().string().rfind("avesso-novos-", 0) == 0;
        return n;
    };
    const int antes = temporarias();
    const auto inicio = std::chrono::steady_clock::now();
    {
        NiveisNovos novos(7, "", comando("exec sleep 30"));
        EXPECT_FALSE(novos.isPronto());
        EXPECT_TRUE(novos.getErros().empty());
        EXPECT_EQ(temporarias(), antes + 1);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - inicio, std::chrono::seconds(10));
    EXPECT_EQ(temporarias(), antes);
}

}  // namespace

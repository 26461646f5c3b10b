// The upkeep of the game's cache folders: the last written entries stay,
// older ones go by their stem, and only stale half-written files go with
// them.
#include "niveis/Cache.h"

#include "PastaTemporaria.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

TEST(Cache, KeepsTheLastWrittenAndClearsStaleHalfWrittenFiles) {
    const PastaTemporaria pasta("avesso-cache");
    const auto agora = fs::file_time_type::clock::now();
    const struct {
        const char* nome;
        int minutosAtras;
    } arquivos[] = {
        {"a.txt", 30}, {"b.txt", 20}, {"c.txt", 1},  // two of three stay: a goes
        {".b.txt.12.tmp", 11},                       // left by a stopped writer long ago: goes
        {".c.txt.13.tmp", 2},                        // perhaps still being written: stays
        {"notas.md", 60},                            // not the cache's: stays
    };
    for (const auto& a : arquivos) {
        std::ofstream(pasta.caminho() / a.nome) << a.nome;
        fs::last_write_time(pasta.caminho() / a.nome, agora - std::chrono::minutes(a.minutosAtras));
    }
    std::vector<std::string> removidos;
    Cache::podar(pasta.caminho(), ".txt", 2, [&](const std::string& radical) {
        removidos.push_back(radical);
        fs::remove(pasta.caminho() / (radical + ".txt"));
    });
    EXPECT_EQ(removidos, std::vector<std::string>{"a"});
    std::set<std::string> restam;
    for (const fs::directory_entry& e : fs::directory_iterator(pasta.caminho())) restam.insert(e.path().filename());
    EXPECT_EQ(restam, (std::set<std::string>{"b.txt", "c.txt", ".c.txt.13.tmp", "notas.md"}));

    removidos.clear();
    Cache::podar(pasta.caminho() / "nao-existe", ".txt", 0, [&](const std::string& r) { removidos.push_back(r); });
    EXPECT_TRUE(removidos.empty()) << "a folder that cannot be read is left alone";
}

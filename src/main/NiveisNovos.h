#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The fresh levels a game started with --seed N plays: the levels that
// `avesso-levels new` makes from the seeds N, N + 1 and N + 2 (past the
// largest seed, counting on from 0). Each is kept in the cache folder under
// its seed and the avesso-levels it was made with, so the next start with
// that seed finds it; the others are made by avesso-levels (beside the game)
// in processes of their own, as many at once as the machine has cores, up
// to three, while the game opens its window. Whatever is still running when
// this goes is stopped, and a maker dies with the game.
class NiveisNovos {
public:
    static constexpr int QUANTOS = 3;

    // `cache`: the game's cache folder (empty: none; a temporary folder is
    // used and removed). Starts the makers of the levels not kept; when one
    // cannot be started, says why in getErros and starts nothing.
    NiveisNovos(uint64_t semente, const std::filesystem::path& cache, const std::filesystem::path& comando);
    ~NiveisNovos();

    NiveisNovos(const NiveisNovos&) = delete;
    NiveisNovos& operator=(const NiveisNovos&) = delete;

    // Whether every level is made, or failed; starts waiting makers as
    // others end. Returns at once.
    bool isPronto();
    // The level files, in playing order, once ready and without errors.
    std::vector<std::string> getArquivos() const;
    // One line for each level that could not be made.
    const std::vector<std::string>& getErros() const { return erros; }
    // How many levels were found made already.
    int getGuardados() const { return guardados; }

    // avesso-levels beside the running program.
    static std::filesystem::path comandoAoLado();
    // A seed drawn at random, small enough to say and type.
    static uint64_t sortearSemente();

private:
    struct Nivel {
        uint64_t semente = 0;
        std::filesystem::path arquivo;
        pid_t processo = -1;  // its maker while it runs
        bool pronto = false;
    };

    void lancar(Nivel& nivel);

    std::vector<Nivel> niveis;
    std::vector<std::string> erros;
    std::filesystem::path comando;
    std::filesystem::path temporaria;  // made and removed here when there is no cache
    int maximo = 1;                    // makers running at once
    int guardados = 0;
};

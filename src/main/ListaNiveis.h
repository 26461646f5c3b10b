#pragma once

#include "dados/Niveis.h"
#include "niveis/DescricaoNivel.h"
#include "niveis/FigurasPintadas.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The levels a game plays, in order: the built-in campaign, or level files
// a player gives. Every file is read and checked whole when the list is
// made, before any window opens; one with a mistake is left out, with the
// one line that says why. A file's pictures are painted when its level is
// first entered, or found in the cache, and kept for the game's life.
class ListaNiveis {
public:
    // The built-in campaign: the files under niveis/ of the data folder (the
    // working directory) and the pictures the build painted from them.
    static ListaNiveis daCampanha();
    // Level files, and the *.txt files of folders, all in name order.
    // `nomes` are as the player wrote them, relative to `origem` (the
    // folder the game was started from); messages name them so. Painted
    // pictures go to `cache` (see FigurasPintadas), or into memory when it
    // is empty or cannot be written.
    static ListaNiveis dosArquivos(const std::vector<std::string>& nomes, const std::filesystem::path& origem,
                                   const std::filesystem::path& cache = FigurasPintadas::pastaCache());

    int tamanho() const { return static_cast<int>(entradas.size()); }
    bool isVazia() const { return entradas.empty(); }
    // The file level `numero` (from 1) was read from, as the player wrote it.
    const std::string& getNome(int numero) const { return entradas.at(static_cast<size_t>(numero - 1)).nivel.texto; }
    // What was left out and why, one line each: "FILE:LINE: what is wrong".
    const std::vector<std::string>& getErros() const { return erros; }

    // Level `numero` (from 1) as the builder places it, its pictures
    // painted or found in the cache when it is first asked for. Throws
    // std::runtime_error when they can be neither.
    const niveis::Nivel& preparar(int numero);

private:
    struct Entrada {
        niveis::Nivel nivel;                       // a file's picture paths are set when painted
        std::optional<DescricaoNivel> paraPintar;  // a file's level, until it is painted
        std::string texto;                         // the file's bytes, which the cache knows it by
        std::optional<FigurasPintadas> figuras;    // held while the game runs
    };

    std::vector<Entrada> entradas;
    std::vector<std::string> erros;
    std::filesystem::path cache;
};

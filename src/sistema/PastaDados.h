#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Finding the folder that holds the game's pictures and music wherever the
// program is started from. The game reads them relative to its working
// directory ("src/Img/...", "principal1.mid"); the driver moves there before
// anything loads.
namespace pastaDados {

// Where the search looks.
struct Lugares {
    std::filesystem::path escolhida;  // given with --data or AVESSO_DADOS; empty when none
    std::filesystem::path atual;      // the working directory; empty when unknown
    std::filesystem::path programa;   // the program's own file; empty when unknown
    // From the program's folder to the installed data (games/ ->
    // share/games/avesso/ in the Debian layout): an installed tree still
    // works when staged with DESTDIR or moved.
    std::filesystem::path instalados;
};

// The folders to try, in order: the one given alone, when there is one (an
// explicit choice that is wrong must be reported, not worked around); else
// the working directory, the installed data folder, the program's own folder
// (the build tree).
std::vector<std::filesystem::path> candidatas(const Lugares& lugares);

// The first of `candidatas` for which `temDados` holds, or none.
std::optional<std::filesystem::path> procurar(const std::vector<std::filesystem::path>& candidatas,
                                              const std::function<bool(const std::filesystem::path&)>& temDados);

// The first of the files the game cannot play without that `pasta` lacks,
// relative to it; empty when it holds them all: every level's two pictures
// and the six runners' sheets, as regular files.
std::string arquivoQueFalta(const std::filesystem::path& pasta);

// A folder holds the game's data when nothing of it is lacking. A missing
// or damaged menu picture still counts: it is reported when it loads and
// left out, rather than the game quietly playing with another copy.
bool temDados(const std::filesystem::path& pasta);

// The one line saying that no data was found and where the search looked;
// `origem` names what gave the one folder ("--data", "AVESSO_DADOS"), or is
// empty after a search of the usual places.
std::string mensagemSemDados(const std::vector<std::filesystem::path>& candidatas, const std::string& origem);

// The command line: `avesso [--data DIR] [--scale N|auto] [--fullscreen]
// [--levels DIR|FILE... | --seed N|random]`.
struct Opcoes {
    std::string pastaDados;  // empty when not given
    std::string escala;      // --scale's value as written, checked when the window opens; empty when not given
    bool telaCheia = false;  // --fullscreen
    std::vector<std::string> niveis;  // --levels: level files and folders of them, as written
    std::string semente;              // --seed: a whole number, or "random"; empty when not given
    std::string pastaInicial;         // the working directory the game was started in, which they are relative to
    bool ajuda = false;      // --help
    std::string erro;        // what is wrong with the command line; empty when nothing
};
Opcoes lerOpcoes(int argc, const char* const* argv);

extern const char* const USO;

// Reads the command line and the environment, finds the data and makes its
// folder the working directory. Returns the exit code when the program must
// stop here (help, a bad option, no data), having said why; none when the
// game can start. `opcoes`, when given, gets the command line as read.
std::optional<int> entrarNaPastaDados(int argc, const char* const* argv, Opcoes* opcoes = nullptr);

}  // namespace pastaDados

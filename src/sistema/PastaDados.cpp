#include "sistema/PastaDados.h"

#include "dados/Figuras.h"
#include "dados/Niveis.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <system_error>

#ifndef AVESSO_DADOS_DO_PROGRAMA
#define AVESSO_DADOS_DO_PROGRAMA "../share/games/avesso"
#endif

namespace fs = std::filesystem;

namespace pastaDados {

const char* const USO =
    "usage: avesso [--data DIR] [--scale N|auto] [--fullscreen] [--levels DIR|FILE... | --seed N|random]";

std::vector<fs::path> candidatas(const Lugares& lugares) {
    if (!lugares.escolhida.empty()) return {lugares.escolhida};
    std::vector<fs::path> saida;
    auto acrescentar = [&saida](const fs::path& p) {
        if (p.empty()) return;
        for (const fs::path& q : saida)
            if (q == p) return;
        saida.push_back(p);
    };
    acrescentar(lugares.atual);
    if (!lugares.programa.empty()) {
        const fs::path pasta = lugares.programa.parent_path();
        acrescentar((pasta / lugares.instalados).lexically_normal());
        acrescentar(pasta);
    }
    return saida;
}

std::optional<fs::path> procurar(const std::vector<fs::path>& candidatas,
                                 const std::function<bool(const fs::path&)>& temDados) {
    for (const fs::path& p : candidatas)
        if (temDados(p)) return p;
    return std::nullopt;
}

std::string arquivoQueFalta(const fs::path& pasta) {
    std::vector<std::string> indispensaveis;
    for (const niveis::ArquivosNivel& nivel : niveis::NIVEIS) {
        indispensaveis.push_back(nivel.visual);
        indispensaveis.push_back(nivel.colisao);
        indispensaveis.push_back(std::string(niveis::PASTA) + "/" + nivel.texto);
    }
    for (int k = 1; k <= niveis::MAX_JOGADORES; ++k) indispensaveis.push_back(figuras::folha(k));
    std::error_code erro;
    for (const std::string& arquivo : indispensaveis)
        if (!fs::is_regular_file(pasta / arquivo, erro)) return arquivo;
    return {};
}

bool temDados(const fs::path& pasta) { return arquivoQueFalta(pasta).empty(); }

std::string mensagemSemDados(const std::vector<fs::path>& candidatas, const std::string& origem) {
    std::string onde;
    for (size_t i = 0; i < candidatas.size(); ++i) {
        if (i > 0) onde += i + 1 == candidatas.size() ? " or " : ", ";
        onde += candidatas[i].string();
    }
    if (onde.empty()) onde = "nowhere (no working directory, no program path)";
    if (!origem.empty()) {
        const std::string falta = candidatas.size() == 1 ? arquivoQueFalta(candidatas[0]) : "";
        return "avesso: " + onde + " (given by " + origem + ") does not hold the game's pictures (" +
               (falta.empty() ? std::string("src/Img") : "no " + falta) + ")";
    }
    return "avesso: cannot find the game's pictures (src/Img) in " + onde +
           "; give their folder with --data DIR or AVESSO_DADOS";
}

Opcoes lerOpcoes(int argc, const char* const* argv) {
    Opcoes opcoes;
    const std::string_view DATA = "--data", SCALE = "--scale", LEVELS = "--levels";
    for (int i = 1; i < argc && opcoes.erro.empty(); ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            opcoes.ajuda = true;
        } else if (arg == "--fullscreen") {
            opcoes.telaCheia = true;
        } else if (arg == SCALE || arg.substr(0, SCALE.size() + 1) == "--scale=") {
            // A value that cannot be used is said, and a usable one taken,
            // when the window opens: the desktop's size decides.
            if (arg != SCALE)
                opcoes.escala = std::string(arg.substr(SCALE.size() + 1));
            else if (i + 1 < argc && std::string_view(argv[i + 1]).substr(0, 2) != "--")
                opcoes.escala = argv[++i];
            if (opcoes.escala.empty()) opcoes.erro = "--scale needs a number or auto";
        } else if (arg == LEVELS || arg.substr(0, LEVELS.size() + 1) == "--levels=") {
            // Every argument up to the next option is a level file or a folder.
            if (arg != LEVELS && arg.size() > LEVELS.size() + 1)
                opcoes.niveis.emplace_back(arg.substr(LEVELS.size() + 1));
            while (arg == LEVELS && i + 1 < argc && argv[i + 1][0] != '\0' && argv[i + 1][0] != '-')
                opcoes.niveis.emplace_back(argv[++i]);
            if (opcoes.niveis.empty()) opcoes.erro = "--levels needs a folder or level files";
        } else if (arg == "--seed" || arg.substr(0, 7) == "--seed=") {
            opcoes.semente = arg == "--seed" ? (i + 1 < argc ? argv[++i] : "") : std::string(arg.substr(7));
            const std::string_view s = opcoes.semente;
            const bool numero = !s.empty() && s.size() <= 20 && s.find_first_not_of("0123456789") == s.npos &&
                                (s.size() < 20 || s <= "18446744073709551615");
            if (s != "random" && !numero)
                opcoes.erro = "--seed needs a whole number (0 to 18446744073709551615) or random";
        } else if (arg == DATA) {
            if (i + 1 < argc && argv[i + 1][0] != '\0')
                opcoes.pastaDados = argv[++i];
            else
                opcoes.erro = "--data needs a folder";
        } else if (arg.substr(0, DATA.size() + 1) == "--data=") {
            opcoes.pastaDados = std::string(arg.substr(DATA.size() + 1));
            if (opcoes.pastaDados.empty()) opcoes.erro = "--data needs a folder";
        } else if (!arg.empty() && arg[0] == '-') {
            opcoes.erro = "unknown option " + std::string(arg);
        } else {
            opcoes.erro = "unexpected argument " + std::string(arg);
        }
    }
    if (opcoes.erro.empty() && !opcoes.semente.empty() && !opcoes.niveis.empty())
        opcoes.erro = "--seed and --levels cannot go together";
    return opcoes;
}

namespace {

// The running program's file, links resolved, so a link to it in a bin/
// folder still finds the data beside the real file.
fs::path estePrograma(const char* argv0) {
    std::error_code erro;
    fs::path p = fs::read_symlink("/proc/self/exe", erro);
    if (!erro) return p;
    // Without /proc: the path it was started by, when it names one.
    if (argv0 && std::string_view(argv0).find('/') != std::string_view::npos) {
        p = fs::canonical(argv0, erro);
        if (!erro) return p;
    }
    return {};
}

}  // namespace

std::optional<int> entrarNaPastaDados(int argc, const char* const* argv, Opcoes* lidas) {
    const Opcoes opcoes = lerOpcoes(argc, argv);
    if (lidas) *lidas = opcoes;
    if (!opcoes.erro.empty()) {
        std::fprintf(stderr, "avesso: %s\n%s\n", opcoes.erro.c_str(), USO);
        return 2;
    }
    if (opcoes.ajuda) {
        std::printf("%s\n"
                    "Finds its pictures and music in DIR, else in $AVESSO_DADOS, else in the current\n"
                    "directory, the installed game's data folder or the program's own folder.\n"
                    "--scale N shows the 640 x 480 picture N times larger, each pixel a square\n"
                    "block; --scale auto, the largest that fits the desktop. --fullscreen starts\n"
                    "in fullscreen; F11 turns it on and off.\n"
                    "Keys, the configuration file and the rest: man avesso\n",
                    USO);
        std::printf("--levels plays the level files given, and the *.txt files of the folders given,\n"
                    "all in name order, instead of the built-in levels.\n");
        std::printf("--seed N plays three fresh levels made from the seed N (those avesso-levels new\n"
                    "makes from N, N + 1 and N + 2); --seed random picks N and prints it.\n");
        return 0;
    }

    std::error_code erro;
    Lugares lugares;
    lugares.atual = fs::current_path(erro);
    if (lidas) lidas->pastaInicial = lugares.atual.string();
    lugares.programa = estePrograma(argc > 0 ? argv[0] : nullptr);
    lugares.instalados = AVESSO_DADOS_DO_PROGRAMA;
    const char* ambiente = std::getenv("AVESSO_DADOS");
    fs::path escolhida;
    std::string origem;
    if (!opcoes.pastaDados.empty()) {
        escolhida = opcoes.pastaDados;
        origem = "--data";
    } else if (ambiente && *ambiente) {
        escolhida = ambiente;
        origem = "AVESSO_DADOS";
    }
    if (!escolhida.empty()) {
        lugares.escolhida = fs::absolute(escolhida, erro).lexically_normal();
        if (erro) lugares.escolhida = escolhida;
    }

    const std::vector<fs::path> onde = candidatas(lugares);
    const std::optional<fs::path> achada = procurar(onde, temDados);
    if (!achada) {
        std::fprintf(stderr, "%s\n", mensagemSemDados(onde, origem).c_str());
        return 1;
    }
    fs::current_path(*achada, erro);
    if (erro) {
        std::fprintf(stderr, "avesso: cannot enter %s: %s\n", achada->c_str(), erro.message().c_str());
        return 1;
    }
    return std::nullopt;
}

}  // namespace pastaDados

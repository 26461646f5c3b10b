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

const char* const USO = "usage: avesso [--data DIR] [--scale N|auto] [--fullscreen]";

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
    for (const niveis::Nivel& nivel : niveis::NIVEIS) {
        indispensaveis.push_back(nivel.visual);
        indispensaveis.push_back(nivel.colisao);
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
    const std::string_view DATA = "--data", SCALE = "--scale";
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
        return 0;
    }

    std::error_code erro;
    Lugares lugares;
    lugares.atual = fs::current_path(erro);
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

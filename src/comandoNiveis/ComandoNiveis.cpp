#include "comandoNiveis/ComandoNiveis.h"

#include "gerador/GeradorNivel.h"
#include "niveis/ArquivoInteiro.h"
#include "niveis/ArquivoNivel.h"
#include "prova/NivelEmProva.h"
#include "prova/SemTela.h"
#include "prova/VerificacaoNivel.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>

namespace comandoNiveis {
namespace {

const char* const USO =
    "usage: avesso-levels check FILE\n"
    "       avesso-levels new --seed N -o FILE\n";

const char* const AJUDA =
    "check FILE tells whether a level file (niveis/README.md) is finishable -- a flip\n"
    "schedule gets through it with every press still good two frames late -- and fair\n"
    "-- a player model that sees the screen and reacts in 300 ms finishes 19 of 20\n"
    "games, reacting in 350 ms 15 of 20 -- and where it is not. Exit code 0 when it\n"
    "is both, 1 when not, 2 when the file cannot be read.\n"
    "new --seed N -o FILE writes a fresh level made from the seed N (0 to\n"
    "18446744073709551615): the same seed gives the same file on any machine.\n"
    "Candidates that fail the check are left out and the next is tried.\n";

std::string ordinal(int n) {
    const int unidade = n % 10;
    const char* sufixo = (n % 100 >= 11 && n % 100 <= 13) ? "th"
                         : unidade == 1                   ? "st"
                         : unidade == 2                   ? "nd"
                         : unidade == 3                   ? "rd"
                                                          : "th";
    return std::to_string(n) + sufixo;
}

int verificarArquivo(const std::string& arquivo) {
    const ArquivoNivel::Leitura leitura = ArquivoNivel::ler(arquivo);
    if (!leitura) {
        std::fprintf(stderr, "avesso-levels: %s\n", leitura.erro.c_str());
        return ERRO_DE_USO;
    }
    const NivelEmProva nivel(*leitura.descricao);
    const verificacaoNivel::Resultado r =
        verificacaoNivel::verificar(nivel.getNivel(), verificacaoNivel::Modo::COMPLETO);
    for (const std::string& falha : r.falhas) std::printf("%s: %s\n", arquivo.c_str(), falha.c_str());
    for (const std::string& nota : r.notas) std::printf("%s: note: %s\n", arquivo.c_str(), nota.c_str());
    std::printf("%s: %s\n", arquivo.c_str(), verificacaoNivel::veredito(r).c_str());
    return r.isCertificado() ? CERTIFICADO : NAO_CERTIFICADO;
}

int escreverNovo(uint64_t semente, const std::string& arquivo) {
    const Novo n = novo(semente, [](const std::string& linha) { std::printf("%s\n", linha.c_str()); });
    if (n.texto.empty()) {
        std::fprintf(stderr, "avesso-levels: seed %llu: none of %d candidates passed the check\n",
                     static_cast<unsigned long long>(semente), n.candidatos);
        return NAO_CERTIFICADO;
    }
    std::string porque;
    if (!ArquivoInteiro::gravar(arquivo, n.texto.data(), n.texto.size(), porque)) {
        std::fprintf(stderr, "avesso-levels: cannot write %s: %s\n", arquivo.c_str(), porque.c_str());
        return ERRO_DE_USO;
    }
    std::printf("seed %llu: %s written, the %s candidate tried (%d left out)\n",
                static_cast<unsigned long long>(semente), arquivo.c_str(), ordinal(n.candidatos).c_str(),
                n.candidatos - 1);
    return CERTIFICADO;
}

int usoErrado(const std::string& porque) {
    std::fprintf(stderr, "avesso-levels: %s\n%s", porque.c_str(), USO);
    return ERRO_DE_USO;
}

}  // namespace

std::optional<uint64_t> lerSemente(const std::string& texto) {
    if (texto.empty() || texto.size() > 20) return std::nullopt;
    uint64_t valor = 0;
    for (const char c : texto) {
        if (c < '0' || c > '9') return std::nullopt;
        const uint64_t digito = static_cast<uint64_t>(c - '0');
        if (valor > (UINT64_MAX - digito) / 10) return std::nullopt;
        valor = valor * 10 + digito;
    }
    return valor;
}

Novo novo(uint64_t semente, const std::function<void(const std::string&)>& relatar) {
    Novo n;
    for (int candidato = 0; candidato < MAX_CANDIDATOS; ++candidato) {
        ++n.candidatos;
        const std::string texto = geradorNivel::gerar(semente, candidato);
        const std::string nome = "candidate " + std::to_string(candidato);
        const ArquivoNivel::Leitura leitura = ArquivoNivel::lerTexto(texto, nome);
        if (!leitura) {
            if (relatar) relatar(nome + ": not a level: " + leitura.erro);
            continue;
        }
        const NivelEmProva nivel(*leitura.descricao);
        const verificacaoNivel::Resultado r =
            verificacaoNivel::verificar(nivel.getNivel(), verificacaoNivel::Modo::ATE_DECIDIR);
        if (relatar)
            relatar(nome + ": " + verificacaoNivel::veredito(r) + (r.falhas.empty() ? "" : "; " + r.falhas.front()));
        if (r.isCertificado()) {
            n.texto = texto;
            return n;
        }
    }
    return n;
}

int executar(int argc, const char* const* argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return usoErrado("say what to do: check or new");
    if (args[0] == "--help" || args[0] == "-h") {
        std::printf("%s%s", USO, AJUDA);
        return 0;
    }
    try {
        if (args[0] == "check") {
            if (args.size() != 2) return usoErrado("check takes one level file");
            semTela::iniciarAllegro();
            return verificarArquivo(std::string(args[1]));
        }
        if (args[0] == "new") {
            std::optional<uint64_t> semente;
            std::string saida;
            for (std::size_t i = 1; i < args.size(); ++i) {
                const bool temValor = i + 1 < args.size();
                if (args[i] == "--seed" && temValor) {
                    semente = lerSemente(std::string(args[++i]));
                    if (!semente) return usoErrado("--seed takes a whole number from 0 to 18446744073709551615");
                } else if (args[i] == "-o" && temValor) {
                    saida = std::string(args[++i]);
                } else {
                    return usoErrado("new takes --seed N and -o FILE, not " + std::string(args[i]));
                }
            }
            if (!semente || saida.empty()) return usoErrado("new needs --seed N and -o FILE");
            semTela::iniciarAllegro();
            return escreverNovo(*semente, saida);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "avesso-levels: %s\n", e.what());
        return ERRO_DE_USO;
    }
    return usoErrado("unknown command " + std::string(args[0]));
}

}  // namespace comandoNiveis

// Plays each level with the player model, to see whether a person can:
//   jogador_niveis [1|2] [--reacao MS,...] [--olhar MS,...] [--corridas N] [--semente S]
//                  [--avisos REACAO,OLHAR]
// Run it from the build folder (where the level pictures are). For each
// level and each reaction time and look-ahead, the games the model won out
// of N (level 1: still racing at its end; level 2: across the finish line),
// then, for each reaction, the best look-ahead with its neighbours and where
// the model dropped out. --avisos plays one game with the given reflexes and
// says, for every flip the model made, how long the screen gave for it.
#include "prova/SemTela.h"
#include "prova/ModeloJogador.h"
#include "niveis/Campanha.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Opcoes {
    std::vector<int> niveis;
    std::vector<int> reacoes{250, 300, 350, 400};
    std::vector<int> olhares{400, 500, 600, 700, 800, 900, 1000};
    int corridas = 20;
    uint32_t semente = 1;
    bool avisos = false;
    Reflexos comAvisos;
};

std::vector<int> lista(const char* texto) {
    std::vector<int> v;
    std::stringstream s(texto);
    std::string item;
    while (std::getline(s, item, ',')) v.push_back(std::atoi(item.c_str()));
    return v;
}

// Games of one reaction and look-ahead, and where the lost ones ended.
struct Celula {
    int ganhas = 0;
    long long distancia = 0;  // columns covered, all games together
    std::map<std::string, int> saidas;  // "x 13700 fell" -> games
};

Celula jogar(const ModeloJogador& modelo, int reacao, int olhar, const Opcoes& o) {
    Celula c;
    for (int i = 0; i < o.corridas; ++i) {
        Reflexos r;
        r.reacaoMs = reacao;
        r.olharMs = olhar;
        r.semente = o.semente + static_cast<uint32_t>(i);
        const Partida p = modelo.jogar(r);
        c.distancia += p.x;
        if (p.alcancou) {
            ++c.ganhas;
        } else {
            char onde[64];
            std::snprintf(onde, sizeof onde, "x %5d %s", p.x / 100 * 100, *p.saida ? p.saida : "too slow");
            ++c.saidas[onde];
        }
    }
    return c;
}

const char* tipo(const Perigo& p) {
    if (p.tipo == Perigo::Tipo::PAREDE) return p.lado > 0 ? "floor wall" : "ceiling wall";
    return p.lado > 0 ? "pit" : "hole";
}

void avisos(const ModeloJogador& modelo, const Reflexos& r) {
    std::printf("  flips of one game (reaction %d ms, look-ahead %d ms); warning = from the first picture\n"
                "  showing the danger to the last frame a flip may come before (untouched, or at all);\n"
                "  after a late flip before: from when it shows and the runner stands again, had the flip\n"
                "  before come at its last untouched frame, to the last flip that gets past it at all:\n",
                r.reacaoMs, r.olharMs);
    for (const Aviso& a : modelo.avisos(r)) {
        std::printf("    x %5d-%5d %-12s at %2d px/frame: seen at frame %4d, model flipped at %4d; ", a.perigo.x,
                    a.perigo.fim, tipo(a.perigo), a.velocidade, a.visto, a.virada);
        if (a.ultimoLimpo >= 0)
            std::printf("clean %+5d ms", a.msLimpo());
        else
            std::printf("clean  none   ");
        if (a.ultimoVivo >= 0)
            std::printf(", surviving %+5d ms", a.msVivo());
        else
            std::printf(", surviving none   ");
        if (a.ultimoVivo >= 0) std::printf("; after a late flip before %+5d ms", a.msVivoAposPouso());
        std::printf("\n");
    }
}

void tabela(int numero, const Opcoes& o) {
    const niveis::Nivel& nivel = niveis::daCampanha(numero);
    const Objetivo objetivo = Objetivo::doNivel(nivel);
    const ModeloJogador modelo(nivel, objetivo);
    std::printf("Level %d (%s), %d games a cell, reaction spread %d ms, key held %d ms\n", numero,
                objetivo.exigeVitoria ? "across the finish line" : "still racing past x = 17000", o.corridas,
                Reflexos().variacaoMs, Reflexos().seguraMs);
    if (o.avisos) {
        avisos(modelo, o.comAvisos);
        return;
    }
    const auto inicio = std::chrono::steady_clock::now();
    std::map<std::pair<int, int>, Celula> celulas;  // (reaction, look-ahead)
    std::printf("  look-ahead");
    for (int r : o.reacoes) std::printf("  R %4d ms", r);
    std::printf("\n");
    for (int d : o.olhares) {
        std::printf("  %7d ms", d);
        for (int r : o.reacoes) {
            const Celula& c = celulas[{r, d}] = jogar(modelo, r, d, o);
            std::printf("  %6d/%-2d", c.ganhas, o.corridas);
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    // The best look-ahead wins most games, or, between equals, goes furthest.
    auto melhorQue = [](const Celula& a, const Celula& b) {
        return a.ganhas != b.ganhas ? a.ganhas > b.ganhas : a.distancia > b.distancia;
    };
    for (int r : o.reacoes) {
        std::size_t melhor = 0;
        for (std::size_t i = 0; i < o.olhares.size(); ++i)
            if (melhorQue(celulas[{r, o.olhares[i]}], celulas[{r, o.olhares[melhor]}])) melhor = i;
        std::printf("  R %d ms: best look-ahead %d ms, %d/%d", r, o.olhares[melhor],
                    celulas[{r, o.olhares[melhor]}].ganhas, o.corridas);
        for (std::size_t v : {melhor - 1, melhor + 1})
            if (v < o.olhares.size())
                std::printf("; %d ms: %d/%d", o.olhares[v], celulas[{r, o.olhares[v]}].ganhas, o.corridas);
        std::printf("\n");
        for (const auto& [onde, n] : celulas[{r, o.olhares[melhor]}].saidas)
            std::printf("      out at %s: %d\n", onde.c_str(), n);
    }
    std::printf("  (%.0f s)\n",
                std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count());
}

}  // namespace

int main(int argc, char** argv) {
    Opcoes o;
    for (int i = 1; i < argc; ++i) {
        const bool temValor = i + 1 < argc;
        if (const int n = numeroDoNivel(argv[i])) {
            o.niveis.push_back(n);
        } else if (std::strcmp(argv[i], "--reacao") == 0 && temValor) {
            o.reacoes = lista(argv[++i]);
        } else if (std::strcmp(argv[i], "--olhar") == 0 && temValor) {
            o.olhares = lista(argv[++i]);
        } else if (std::strcmp(argv[i], "--corridas") == 0 && temValor) {
            o.corridas = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--semente") == 0 && temValor) {
            o.semente = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--avisos") == 0 && temValor && lista(argv[i + 1]).size() == 2) {
            const std::vector<int> v = lista(argv[++i]);
            o.avisos = true;
            o.comAvisos.reacaoMs = v[0];
            o.comAvisos.olharMs = v[1];
        } else {
            o.niveis.clear();
            o.corridas = 0;
            break;
        }
    }
    if (o.corridas <= 0 || o.reacoes.empty() || o.olhares.empty()) {
        std::fprintf(stderr,
                     "usage: %s [LEVEL...] [--reacao MS,...] [--olhar MS,...] [--corridas N] [--semente S]\n"
                     "          [--avisos REACTION,LOOK-AHEAD]   (from the build folder)\n",
                     argv[0]);
        return 2;
    }
    if (o.niveis.empty())
        for (int n = 1; n <= niveis::NUM_NIVEIS; ++n) o.niveis.push_back(n);
    o.comAvisos.semente = o.semente;
    semTela::iniciarAllegro();
    for (int n : o.niveis) tabela(n, o);
    return 0;
}

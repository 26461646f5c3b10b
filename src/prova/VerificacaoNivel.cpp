#include "prova/VerificacaoNivel.h"

#include "prova/ModeloJogador.h"
#include "prova/Solucionador.h"

#include "classesBasicas/Mapa.h"

#include <map>
#include <tuple>

namespace verificacaoNivel {
namespace {

// Where the solver's runner, left alone, was stopped or dropped out.
Perigo ondeParou(const TerrenoNivel& terreno, const Solucionador& solucionador) {
    const EstadoRunner& e = solucionador.getParada();
    const int topo = e.y - niveis::ALTURA_RUNNER;
    if (e.y < 0) return terreno.lacuna(e.x, -1);
    if (topo > niveis::ALTURA) return terreno.lacuna(e.x, 1);
    return terreno.obstaculo(e.x, topo, e.y);
}

// The spot a runner failed at, by what is there; a runner that went out
// past the finish line went by it without crossing it.
std::string lugar(const niveis::Nivel& nivel, const TerrenoNivel& terreno, const Perigo& perigo, int x) {
    if (x > nivel.chegadaX && nivel.chegadaX >= Mapa::LARGURA_TELA)
        return "finish line at x " + std::to_string(nivel.chegadaX) + ", rows " +
               std::to_string(nivel.chegadaY - nivel.alturaChegada) + "\u2013" + std::to_string(nivel.chegadaY) +
               " (passed by, not crossed)";
    return perigo.tipo == Perigo::Tipo::NENHUM ? "x " + std::to_string(x) : terreno.descrever(perigo);
}

// The games lost at one spot, by how they were lost, for each reaction.
struct Perdas {
    std::map<std::string, int> porSaida[2];
    int x = 0;
};

const char* verbo(const std::string& saida) {
    if (saida == "fell") return "falls";
    if (saida == "off the top") return "goes off the top";
    if (saida == "left behind") return "is left behind";
    return "runs out of time";
}

// The engine paints a speed column over the collision picture's whole
// height; a runner whose feet look for the ground finds the ground in the
// column just before it first, and the column next to that, and steps a
// pixel into the ground, where it stays stuck. A runner walking along flat
// ground through that column may end a frame there; the solver and the
// model may just never do. Such columns are worth a note.
std::vector<std::string> colunasQuePrendem(const niveis::Nivel& nivel, const TerrenoNivel& terreno) {
    std::vector<std::string> notas;
    // Outside the picture counts as solid: its top and bottom rows are no
    // surface.
    auto solido = [&](int x, int y) { return y < 0 || y >= niveis::ALTURA || terreno.bloqueado(x, y, y); };
    for (const niveis::BoostTelaNivel& coluna : nivel.boosts) {
        const int x = coluna.x - 1;
        if (x < niveis::X_INICIAL) continue;
        bool chao = false, teto = false;
        for (int y = 0; y < niveis::ALTURA; ++y) {
            chao = chao || (solido(x, y) && !solido(x, y - 1) && solido(x - 1, y) && !solido(x - 1, y - 1));
            teto = teto || (solido(x, y) && !solido(x, y + 1) && solido(x - 1, y) && !solido(x - 1, y + 1));
        }
        if (!chao && !teto) continue;
        notas.push_back("speed column at x " + std::to_string(coluna.x) + ": a runner " +
                        (chao && teto ? "on the floor or the ceiling" : chao ? "on the floor" : "on the ceiling") +
                        " that ends a frame with its back at x " + std::to_string(x) +
                        " steps a pixel into the ground there and is stuck (a column one past where the floor "
                        "steps down and the ceiling up catches no one)");
    }
    return notas;
}

}  // namespace

Resultado verificar(const niveis::Nivel& nivel, Modo modo) {
    Resultado r;
    const Objetivo objetivo = Objetivo::doNivel(nivel);
    const ModeloJogador modelo(nivel, objetivo);
    const TerrenoNivel& terreno = modelo.getTerreno();
    const bool ateDecidir = modo == Modo::ATE_DECIDIR;
    r.notas = colunasQuePrendem(nivel, terreno);

    Solucionador solucionador(nivel, objetivo);
    const auto cronograma = solucionador.resolver();
    if (!cronograma) {
        const Perigo p = ondeParou(terreno, solucionador);
        r.falhas.push_back(lugar(nivel, terreno, p, solucionador.getParada().x) + ": no schedule gets past it with " +
                           std::to_string(ATRASO) + " frames of slack");
    } else {
        r.viradas = static_cast<int>(cronograma->apertos.size());
        const auto fatais = atrasosFatais(nivel, objetivo, *cronograma, ATRASO);
        r.terminavel = fatais.empty();
        if (!fatais.empty()) {
            const Desfecho desfecho = jogar(nivel, objetivo, *cronograma);
            for (const AtrasoFatal& f : fatais) {
                const int x = f.aperto < desfecho.viradas.size() ? desfecho.viradas[f.aperto].x : desfecho.x;
                r.falhas.push_back("flip at x " + std::to_string(x) + ": the schedule found fails when it comes " +
                                   std::to_string(f.atraso) + " frame" + (f.atraso > 1 ? "s" : "") + " late");
            }
        }
    }
    if (!r.terminavel && ateDecidir) return r;

    // Spot (kind, first and last column, side) -> games lost there.
    std::map<std::tuple<int, int, int, int>, Perdas> perdas;
    const int reacoes[2] = {REACAO_RAPIDA, REACAO_LENTA};
    const int precisa[2] = {VITORIAS_RAPIDA, VITORIAS_LENTA};
    int* vitorias[2] = {&r.vitoriasRapida, &r.vitoriasLenta};
    int* jogos[2] = {&r.jogosRapida, &r.jogosLenta};
    for (int k = 0; k < 2; ++k) {
        for (int semente = 1; semente <= JOGOS; ++semente) {
            // Decided either way: enough won, or too many lost.
            if (ateDecidir && (*vitorias[k] >= precisa[k] || *jogos[k] - *vitorias[k] > JOGOS - precisa[k])) break;
            Reflexos reflexos;
            reflexos.reacaoMs = reacoes[k];
            reflexos.semente = static_cast<uint32_t>(semente);
            const Partida p = modelo.jogar(reflexos);
            ++*jogos[k];
            if (p.alcancou) {
                ++*vitorias[k];
                continue;
            }
            const auto chave =
                std::make_tuple(static_cast<int>(p.perigo.tipo), p.perigo.x, p.perigo.fim, p.perigo.lado);
            Perdas& aqui = perdas[chave];
            aqui.x = p.x;
            ++aqui.porSaida[k][*p.saida ? p.saida : "too slow"];
        }
        if (ateDecidir && *vitorias[k] < precisa[k]) break;
    }

    // The spots where a model that failed its bar lost games.
    const bool falhou[2] = {r.vitoriasRapida < VITORIAS_RAPIDA, r.vitoriasLenta < VITORIAS_LENTA};
    for (const auto& [chave, aqui] : perdas) {
        std::string linha;
        for (int k = 0; k < 2; ++k) {
            if (!falhou[k] || aqui.porSaida[k].empty()) continue;
            linha += linha.empty() ? ": the " : "; the ";
            linha += std::to_string(reacoes[k]) + " ms model";
            bool primeira = true;
            for (const auto& [saida, n] : aqui.porSaida[k]) {
                linha += std::string(primeira ? " " : " and ") + verbo(saida) + " in " + std::to_string(n);
                primeira = false;
            }
            linha += " of " + std::to_string(*jogos[k]) + " games";
        }
        if (linha.empty()) continue;
        Perigo p;
        p.tipo = static_cast<Perigo::Tipo>(std::get<0>(chave));
        p.x = std::get<1>(chave);
        p.fim = std::get<2>(chave);
        p.lado = std::get<3>(chave);
        r.falhas.push_back(lugar(nivel, terreno, p, aqui.x) + linha);
    }
    return r;
}

std::string veredito(const Resultado& r) {
    std::string finishable =
        r.terminavel ? "finishable (" + std::to_string(r.viradas) + " flips, each still good " +
                           std::to_string(ATRASO) + " frames late)"
                     : "not finishable with " + std::to_string(ATRASO) + " frames of slack for every flip";
    std::string justo;
    if (r.jogosRapida > 0) {
        justo = std::string(r.isJusto() ? "fair" : "not fair") + " (the " + std::to_string(REACAO_RAPIDA) +
                " ms model finishes " + std::to_string(r.vitoriasRapida) + " of " + std::to_string(r.jogosRapida) +
                " games";
        if (r.jogosLenta > 0)
            justo += ", the " + std::to_string(REACAO_LENTA) + " ms model " + std::to_string(r.vitoriasLenta) +
                     " of " + std::to_string(r.jogosLenta);
        justo += "; " + std::to_string(VITORIAS_RAPIDA) + " and " + std::to_string(VITORIAS_LENTA) + " of " +
                 std::to_string(JOGOS) + " needed)";
    } else {
        justo = "fairness not checked";
    }
    return std::string(r.isCertificado() ? "certified: " : "not certified: ") + finishable + "; " + justo;
}

}  // namespace verificacaoNivel

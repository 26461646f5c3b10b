#include "prova/Solucionador.h"

#include "prova/CorridaNivel.h"
#include "prova/ReservaCorridas.h"

#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"

#include <algorithm>
#include <map>

Objetivo Objetivo::doNivel(const niveis::Nivel& nivel) {
    Objetivo o;
    if (nivel.chegadaX < Mapa::LARGURA_TELA)
        o.xFinal = X_FINAL;
    else
        o.exigeVitoria = true;
    return o;
}

namespace {

// Frames a run may take at most: the slowest view crosses a level in less.
constexpr int MAX_QUADROS = 4000;

// A race's lone runner watched frame by frame: whether it met its objective,
// whether a wall held it back, where its flips happened.
class Execucao {
public:
    Execucao(CorridaNivel& corrida, const Objetivo& objetivo) : corrida(corrida), objetivo(objetivo) {}

    void apertar() { corrida.apertar(0); }

    void avancar() {
        Runner& r = corrida.runner(0);
        // Above the top or below the bottom: the map takes it out in this
        // frame. In level 1, won at its start, that would end the level and
        // stop the race's view for good; the race is wanted again, so the
        // frame is not played.
        if (Mapa::isForaDaAltura(r)) {
            saiu = true;
            return;
        }
        const int x0 = r.getPosicao().getX();
        const int sinal0 = r.getSinalGravidade();
        corrida.avancar();
        if (r.getSinalGravidade() != sinal0) viradas.push_back({corrida.getQuadro(), x0});
        // The frame set the speed it moved with; fewer steps mean a wall.
        bloqueado = r.isAtivo() && r.getPosicao().getX() - x0 < static_cast<int>(r.getVelHorizontal());
    }

    // Presses of `apertos` due at the next frame, from index `proximo` on.
    void apertarSeForAHora(const std::vector<int>& apertos, std::size_t& proximo) {
        while (proximo < apertos.size() && apertos[proximo] <= quadro() + 1) {
            if (apertos[proximo] == quadro() + 1) apertar();
            ++proximo;
        }
    }

    int quadro() const { return corrida.getQuadro(); }
    bool vivo() const { return !saiu && corrida.runner(0).isAtivo(); }
    bool emPe() const { return corrida.runner(0).isNoChao(); }
    bool apertado() const { return corrida.isApertado(0); }
    bool foiBloqueado() const { return bloqueado; }  // in the last frame
    int x() const { return corrida.runner(0).getPosicao().getX(); }
    EstadoRunner estado() const { return corrida.estado(0); }
    const std::vector<Virada>& getViradas() const { return viradas; }

    bool alcancou() const {
        const Runner& r = corrida.runner(0);
        if (objetivo.exigeVitoria) return r.isWinner();
        return r.isAtivo() && r.getPosicao().getX() > objetivo.xFinal;
    }

    bool terminou() const { return !vivo() || alcancou() || quadro() >= MAX_QUADROS; }

private:
    CorridaNivel& corrida;
    const Objetivo& objetivo;
    std::vector<Virada> viradas;
    bool bloqueado = false;
    bool saiu = false;  // went off the top or the bottom
};

// A run's states, one per frame from `inicio` on.
struct Trilha {
    int inicio = 0;
    std::vector<EstadoRunner> estados;

    bool tem(int quadro) const {
        return quadro >= inicio && quadro - inicio < static_cast<int>(estados.size());
    }
    const EstadoRunner& em(int quadro) const { return estados[static_cast<std::size_t>(quadro - inicio)]; }
};

}  // namespace

Desfecho jogar(const niveis::Nivel& nivel, const Objetivo& objetivo, const Cronograma& cronograma) {
    CorridaNivel corrida(nivel, 1);
    Execucao e(corrida, objetivo);
    std::size_t proximo = 0;
    while (!e.terminou()) {
        e.apertarSeForAHora(cronograma.apertos, proximo);
        e.avancar();
    }
    return {e.alcancou(), e.quadro(), e.x(), e.getViradas()};
}

std::vector<AtrasoFatal> atrasosFatais(const niveis::Nivel& nivel, const Objetivo& objetivo,
                                       const Cronograma& cronograma, int atrasoMaximo) {
    ReservaCorridas reserva(nivel);
    const auto& apertos = cronograma.apertos;
    Trilha original;
    {
        Emprestimo corrida(reserva, 0, reserva.getInicial());
        Execucao e(*corrida, objetivo);
        std::size_t proximo = 0;
        original.estados.push_back(e.estado());
        while (!e.terminou()) {
            e.apertarSeForAHora(apertos, proximo);
            e.avancar();
            original.estados.push_back(e.estado());
        }
        if (!e.alcancou()) return {{0, 0}};
    }

    std::vector<AtrasoFatal> fatais;
    for (std::size_t i = 0; i < apertos.size(); ++i) {
        for (int atraso = 1; atraso <= atrasoMaximo; ++atraso) {
            std::vector<int> variante = apertos;
            variante[i] += atraso;
            const int antes = apertos[i] - 1;
            Emprestimo corrida(reserva, antes, original.em(antes));
            Execucao e(*corrida, objetivo);
            std::size_t proximo = i;
            bool deVolta = false;
            while (!e.terminou() && !deVolta) {
                e.apertarSeForAHora(variante, proximo);
                e.avancar();
                // Back on the original track: the rest is the original run.
                deVolta = proximo > i && original.tem(e.quadro()) && e.estado() == original.em(e.quadro());
            }
            if (!deVolta && !e.alcancou()) fatais.push_back({i, atraso});
        }
    }
    return fatais;
}

namespace {

// A press tried: whether it flipped the runner clear, and the run after it.
struct Sonda {
    bool boa = false;
    Trilha trilha;  // from the frame before the press
};

// One place where the runner, left alone, would be stopped or drop out, and
// the press chosen against it.
struct Decisao {
    Trilha sozinho;          // the runner left alone from the last press on
    int ultimoLimpo = -1;    // last frame it stood, not held back by a wall
    int aperto = 0;          // the press chosen; 0 before one is
    std::map<int, Sonda> sondas;  // by press frame
};

}  // namespace

Solucionador::Solucionador(const niveis::Nivel& nivel, const Objetivo& objetivo)
    : nivel(nivel), objetivo(objetivo) {}

std::optional<Cronograma> Solucionador::resolver() {
    sondagens = 0;
    relato.clear();
    ReservaCorridas reserva(nivel);
    std::vector<Decisao> decisoes;

    auto apertosDecididos = [&] {
        Cronograma c;
        for (const Decisao& d : decisoes)
            if (d.aperto > 0) c.apertos.push_back(d.aperto);
        return c;
    };

    // Whether a press at `quadro` flips the runner clear of the danger:
    // never held back nor out until it has landed again and is past where
    // it would have been stopped.
    auto pressBoa = [&](Decisao& d, int quadro) {
        auto achada = d.sondas.find(quadro);
        if (achada != d.sondas.end()) return achada->second.boa;
        Sonda& sonda = d.sondas[quadro];
        if (!d.sozinho.tem(quadro - 1)) return false;
        ++sondagens;
        Emprestimo corrida(reserva, quadro - 1, d.sozinho.em(quadro - 1));
        Execucao e(*corrida, objetivo);
        sonda.trilha.inicio = quadro - 1;
        e.apertar();
        sonda.trilha.estados.push_back(e.estado());
        int pousou = -1;
        bool voou = false;
        while (e.quadro() < quadro + 90) {
            e.avancar();
            sonda.trilha.estados.push_back(e.estado());
            if (e.alcancou()) return sonda.boa = true;
            if (!e.vivo() || e.foiBloqueado()) return false;
            if (!e.apertado() && !e.emPe()) voou = true;
            if (voou && e.emPe() && pousou < 0) pousou = e.quadro();
            if (pousou >= 0 && e.quadro() >= std::max(pousou + 2, d.ultimoLimpo + 2)) return sonda.boa = true;
        }
        return false;
    };

    // The earliest press after `depois` that is good also 1 and 2 frames
    // late, or 0. Looked for in the last FOLGA_ANTES frames before the
    // danger first (those the races kept from the last decision can still
    // reach, and enough for most dangers), then further back.
    auto escolher = [&](Decisao& d, int depois) {
        const int ultimo = d.ultimoLimpo + 1;
        auto procurar = [&](int de, int ate) {
            for (int p = std::max({de, depois + 1, d.sozinho.inicio + 1}); p <= ate; ++p) {
                if (sondagens > MAX_SONDAGENS) return 0;
                const EstadoRunner& antes = d.sozinho.em(p - 1);
                if (!antes.noChao || antes.apertado) continue;
                bool comFolga = true;
                for (int atraso = 0; atraso <= ATRASO_TOLERADO && comFolga; ++atraso)
                    comFolga = pressBoa(d, p + atraso);
                if (comFolga) return p;
            }
            return 0;
        };
        int p = procurar(ultimo - FOLGA_ANTES, ultimo);
        if (p == 0) p = procurar(ultimo - FOLGA_MAXIMA, ultimo - FOLGA_ANTES - 1 + ATRASO_TOLERADO);
        return p;
    };

    // The runner is let go from the start line, then from the end of each
    // good press tried, which the race that tried it is still at.
    Trilha partida;
    partida.estados.push_back(reserva.getInicial());
    while (true) {
        Decisao d;
        d.sozinho = partida;
        const int quadroPartida = partida.inicio + static_cast<int>(partida.estados.size()) - 1;
        bool chegou = false;
        {
            Emprestimo corrida(reserva, quadroPartida, partida.estados.back());
            Execucao e(*corrida, objetivo);
            while (!e.terminou()) {
                e.avancar();
                d.sozinho.estados.push_back(e.estado());
                if (!e.vivo() || (e.foiBloqueado() && e.emPe())) break;
                if (e.emPe() && !e.apertado() && !e.foiBloqueado()) d.ultimoLimpo = e.quadro();
            }
            chegou = e.alcancou();
            relato = "stuck at frame " + std::to_string(e.quadro()) + ", x = " + std::to_string(e.x());
            parada = e.estado();
            paradaNumaParede = e.foiBloqueado();
        }
        if (chegou) {
            corridas = reserva.getConstruidas();
            relato.clear();
            return apertosDecididos();
        }

        decisoes.push_back(std::move(d));
        int p = decisoes.back().ultimoLimpo >= 0 ? escolher(decisoes.back(), 0) : 0;
        // No press fits here: the one before goes later, or the one before it.
        while (p == 0) {
            decisoes.pop_back();
            if (decisoes.empty() || sondagens > MAX_SONDAGENS) {
                corridas = reserva.getConstruidas();
                relato += ", after " + std::to_string(sondagens) + " presses tried";
                return std::nullopt;
            }
            p = escolher(decisoes.back(), decisoes.back().aperto);
        }
        decisoes.back().aperto = p;
        partida = decisoes.back().sondas.at(p).trilha;
    }
}

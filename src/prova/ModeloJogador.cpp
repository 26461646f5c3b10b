#include "prova/ModeloJogador.h"

#include "prova/ReservaCorridas.h"
#include "prova/VistaNivel.h"

#include "classesBasicas/Fisica.h"
#include "classesDerivadas/Runner.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace {

constexpr int MS = CorridaNivel::MS_POR_QUADRO;
constexpr int LARGURA = niveis::LARGURA_RUNNER + 1;  // columns of a runner's box
constexpr int ALTURA = niveis::ALTURA_RUNNER + 1;    // rows of a runner's box
constexpr int MAX_QUADROS = 4000;                    // the slowest view crosses a level in less
// The engine adds one increment of gravity in a frame when more than its
// interval has passed since the last one: at the game's pace, every frame.
static_assert(MS > Fisica::INTERVALO_GRAVIDADE, "gravity is added every frame");
constexpr double GRAVIDADE = Fisica::INCREMENTO_GRAVIDADE;  // pixels a frame, each frame

// How much a reaction differs from the average: near-normal, from the
// sum of twelve uniform draws, so a seed gives the same game everywhere.
int variacao(std::mt19937& acaso, int desvio) {
    double soma = 0.0;
    for (int i = 0; i < 12; ++i) soma += static_cast<double>(acaso()) / 4294967296.0;
    return static_cast<int>((soma - 6.0) * desvio);
}

}  // namespace

// What a game leaves behind for measuring it: the runner's state and the
// view's last column after every frame (from frame 0), and each flip the
// model made with the danger it made it for.
struct ModeloJogador::Gravacao {
    std::vector<EstadoRunner> estados;
    std::vector<int> direitas;
    std::vector<int> velocidades;
    std::vector<std::pair<int, Perigo>> viradas;  // the frame the flip came before, and why
};

ModeloJogador::ModeloJogador(const niveis::Nivel& nivel, const Objetivo& objetivo)
    : nivel(nivel), objetivo(objetivo), terreno(nivel.colisao) {}

bool ModeloJogador::alcancou(const Runner& runner) const {
    return objetivo.exigeVitoria ? runner.isWinner() : runner.getPosicao().getX() > objetivo.xFinal;
}

// The nearest ground towards side `lado` of a box with rows [topo, base]
// over columns [x, x + 42]: the row where it would stand against it.
bool ModeloJogador::superficie(int x, int topo, int base, int lado, int& linha) const {
    bool achou = false;
    for (int c = x; c < x + LARGURA; ++c) {
        int l = 0;
        if (!apoio(c, lado > 0 ? base + 1 : topo - 1, lado, l)) continue;
        if (!achou || (lado > 0 ? l < linha : l > linha)) linha = l;
        achou = true;
    }
    return achou;
}

std::optional<ModeloJogador::Faixa> ModeloJogador::pouso(int x, int y, double velV, int lado, int v,
                                                         int ate) const {
    int topo = y - ALTURA + 1, base = y;
    // Frame by frame as the engine moves a runner: forward at the view's
    // speed unless a wall is in the way, then GRAVIDADE pixels a frame
    // faster towards its side each frame, whole pixels only. Past the screen's
    // edge the ground is taken to go on as it is there.
    for (int n = 0; n < 60; ++n) {
        for (int i = 0; i < v && (x + LARGURA > ate || !bloqueado(x + LARGURA, topo, base)); ++i) ++x;
        velV += GRAVIDADE * lado;
        const int passo = static_cast<int>(velV);
        const int visto = std::min(x, ate - LARGURA + 1);
        int linha = 0;
        if (superficie(visto, topo, base, lado, linha) &&
            (lado > 0 ? base + passo >= linha - 1 : topo + passo <= linha + 1)) {
            topo = lado > 0 ? linha - ALTURA : linha + 1;
            return Faixa{visto, topo, topo + ALTURA - 1};
        }
        topo += passo;
        base += passo;
        if (base < 0 || topo >= niveis::ALTURA) break;
    }
    return std::nullopt;
}

Perigo ModeloJogador::perigo(const Faixa& faixa, int lado, int ate) const {
    Perigo p;
    p.lado = lado;
    int topo = faixa.topo, base = faixa.base;
    auto semApoio = [&](int c) {
        int linha = 0;
        return !apoio(c, lado > 0 ? base + 1 : topo - 1, lado, linha);
    };
    int buraco = -1;  // where the ground under the runner's way ended
    for (int c = faixa.pouso + LARGURA; c <= ate; ++c) {
        if (bloqueado(c, topo, base)) {
            p.tipo = Perigo::Tipo::PAREDE;
            p.x = p.fim = c;
            while (bloqueado(p.fim + 1, topo, base)) ++p.fim;
            return p;
        }
        int linha = 0;
        if (!apoio(c, lado > 0 ? base + 1 : topo - 1, lado, linha)) {
            if (buraco < 0) buraco = c;
            // A gap narrower than a runner does not let it through.
            if (c - buraco + 1 >= LARGURA) break;
            continue;
        }
        buraco = -1;
        // The ground steps away from the runner: it follows.
        if (lado > 0 && linha > base + 1) {
            base = linha - 1;
            topo = base - ALTURA + 1;
        } else if (lado < 0 && linha < topo - 1) {
            topo = linha + 1;
            base = topo + ALTURA - 1;
        }
    }
    if (buraco >= 0) {
        p.tipo = Perigo::Tipo::BURACO;
        p.x = p.fim = buraco;
        while (p.fim + 1 < niveis::COMPRIMENTO && semApoio(p.fim + 1)) ++p.fim;
    }
    return p;
}

bool ModeloJogador::querVirar(const Runner& runner, const VistaNivel& vista, const Reflexos& r,
                              Perigo& motivo) const {
    const int x = runner.getPosicao().getX(), y = runner.getPosicao().getY();
    const int lado = runner.getSinalGravidade();
    const int v = vista.getVelocidade();
    const int ate = std::min(vista.getDireita(), niveis::COMPRIMENTO - 1);
    // Its side from where it stands, or from where it will land; nowhere to
    // land is a pit right under it.
    const auto aquiPousa = runner.isNoChao() ? Faixa{x, y - ALTURA + 1, y}
                                             : pouso(x, y, runner.getVelVertical(), lado, v, ate);
    Perigo aqui;
    if (aquiPousa) {
        aqui = perigo(*aquiPousa, lado, ate);
    } else {
        aqui.tipo = Perigo::Tipo::BURACO;
        aqui.x = aqui.fim = x;
        aqui.lado = lado;
    }
    if (aqui.tipo == Perigo::Tipo::NENHUM) return false;
    if ((aqui.x - (x + LARGURA)) * MS > r.olharMs * v) return false;
    // The other side from where the runner would land, flipped a reaction
    // from now; nowhere to land there is no way out.
    int xVira = x;
    for (int i = 0; i < v * (r.reacaoMs / MS) && !bloqueado(xVira + LARGURA, y - ALTURA + 1, y); ++i) ++xVira;
    const auto laPousa = pouso(xVira, y, 0.0, -lado, v, ate);
    if (!laPousa) return false;
    const Perigo la = perigo(*laPousa, -lado, ate);
    if (la.tipo != Perigo::Tipo::NENHUM && la.x <= aqui.x) return false;
    motivo = aqui;
    return true;
}

Partida ModeloJogador::jogar(const Reflexos& reflexos) const { return partida(reflexos, nullptr); }

Partida ModeloJogador::partida(const Reflexos& r, Gravacao* g) const {
    CorridaNivel corrida(nivel, 1);
    VistaNivel vista(corrida);
    std::mt19937 acaso(r.semente);
    const Runner& runner = corrida.runner(0);
    Partida p;
    bool tecla = false;       // a press is coming or the key is down
    bool usada = false;       // the press flipped the runner: the game let the key go
    long long desce = 0;      // when the key goes down, in ms from the first picture
    Perigo motivo;
    auto gravar = [&] {
        if (!g) return;
        g->estados.push_back(corrida.estado(0));
        g->direitas.push_back(vista.getDireita());
        g->velocidades.push_back(vista.getVelocidade());
    };
    gravar();
    while (true) {
        // The picture of frame q is on the screen.
        const int q = corrida.getQuadro();
        const long long agora = static_cast<long long>(q) * MS;
        if (tecla && agora >= desce + r.seguraMs) tecla = false;
        if (!tecla && querVirar(runner, vista, r, motivo)) {
            tecla = true;
            usada = false;
            desce = std::max(agora, agora + r.reacaoMs + variacao(acaso, r.variacaoMs));
        }
        // Until the next frame the game looks at the key every millisecond.
        if (tecla && !usada && desce < agora + MS && desce + r.seguraMs > agora && runner.isNoChao()) {
            corrida.apertar(0);
            usada = true;
            if (g) g->viradas.push_back({q + 1, motivo});
        }
        corrida.avancar();
        gravar();
        p.quadros = corrida.getQuadro();
        const int x = runner.getPosicao().getX(), y = runner.getPosicao().getY();
        if (!runner.isAtivo()) {
            p.saida = y < 0 ? "off the top" : y - niveis::ALTURA_RUNNER > niveis::ALTURA ? "fell" : "left behind";
            p.perigo = *p.saida == 'l' ? terreno.obstaculo(x, y - ALTURA + 1, y)
                                       : terreno.lacuna(x, *p.saida == 'f' ? 1 : -1);
            break;
        }
        p.x = x;
        p.alcancou = alcancou(runner);
        if (p.alcancou || p.quadros >= MAX_QUADROS) break;
    }
    return p;
}

std::vector<Aviso> ModeloJogador::avisos(const Reflexos& reflexos) const {
    Gravacao g;
    partida(reflexos, &g);
    ReservaCorridas reserva(nivel);
    std::vector<Aviso> lista;
    const int ultimoGravado = static_cast<int>(g.estados.size()) - 1;
    int anterior = 0;  // the model's flip before
    int pronto = 0;    // when the runner stands again, had the flip before come at its last clean frame

    for (const auto& [virada, perigo] : g.viradas) {
        Aviso a;
        a.perigo = perigo;
        a.virada = virada;
        a.pronto = pronto;
        while (a.visto < ultimoGravado && g.direitas[static_cast<std::size_t>(a.visto)] < perigo.x) ++a.visto;
        a.velocidade = g.velocidades[static_cast<std::size_t>(a.visto)];

        // The key pressed before frame k instead of the model's press, and
        // held until the runner stands: whether that takes the runner past
        // the danger at all, and whether never held back on the way. Where
        // it got past, the first frame after which the runner stood on the
        // other side goes in `pousos`.
        std::map<int, int> pousos;
        auto sondar = [&, virada = virada, fim = perigo.fim](int k, bool& vivo) {
            const int de = std::min(k, virada) - 1;
            Emprestimo emprestimo(reserva, de, g.estados[static_cast<std::size_t>(de)]);
            CorridaNivel& corrida = *emprestimo;
            const Runner& runner = corrida.runner(0);
            vivo = false;
            while (corrida.getQuadro() < k - 1 && runner.isAtivo()) corrida.avancar();
            const int sinal = runner.getSinalGravidade();
            corrida.apertar(0);
            bool parado = false;
            for (int n = 0; n < 150 && runner.isAtivo(); ++n) {
                const int x0 = runner.getPosicao().getX();
                corrida.avancar();
                if (!runner.isAtivo()) break;
                if (!vivo && runner.getPosicao().getX() - x0 < static_cast<int>(runner.getVelHorizontal()))
                    parado = true;
                vivo = vivo || runner.getPosicao().getX() > fim || alcancou(runner);
                if (vivo && runner.isNoChao() && runner.getSinalGravidade() != sinal) {
                    pousos[k] = corrida.getQuadro();
                    break;
                }
            }
            return vivo && !parado;
        };
        // The last frame from `primeiro` to `ate` for which `bom` holds,
        // taking the frames that work to be one run: from `inicio`,
        // galloping later while they work, or earlier until one does, then
        // halving the gap.
        auto ultimo = [&](int inicio, int primeiro, int ate, auto bom) {
            int certo = -1, errado = -1;
            if (bom(inicio)) {
                certo = inicio;
                for (int passo = 1; errado < 0; passo *= 2) {
                    if (certo + passo > ate) errado = ate + 1;
                    else if (bom(certo + passo)) certo += passo;
                    else errado = certo + passo;
                }
            } else {
                errado = inicio;
                for (int passo = 1; certo < 0 && inicio - passo >= primeiro; passo *= 2) {
                    if (bom(inicio - passo)) certo = inicio - passo;
                    else errado = inicio - passo;
                }
                if (certo < 0) return -1;
            }
            while (errado - certo > 1) {
                const int meio = (certo + errado) / 2;
                (bom(meio) ? certo : errado) = meio;
            }
            return certo;
        };
        // Earlier than the model's flip, a press counts from the frame the
        // runner stood on this side after the flip before.
        int primeiro = anterior + 1;
        const int sinal = g.estados[static_cast<std::size_t>(virada - 1)].sinal;
        while (primeiro < virada && !(g.estados[static_cast<std::size_t>(primeiro - 1)].noChao &&
                                      g.estados[static_cast<std::size_t>(primeiro - 1)].sinal == sinal))
            ++primeiro;
        anterior = virada;
        const int ate = virada + 90;
        bool vivo = false;
        a.ultimoLimpo = ultimo(virada, primeiro, ate, [&](int k) { return sondar(k, vivo); });
        // What passes it untouched passes it at all.
        a.ultimoVivo = ultimo(std::max(a.ultimoLimpo, virada), primeiro, ate, [&](int k) {
            sondar(k, vivo);
            return vivo;
        });
        // Never standing again there: never ready for the next one.
        const auto pousou = pousos.find(a.ultimoLimpo >= 0 ? a.ultimoLimpo : virada);
        pronto = pousou != pousos.end() ? pousou->second : ultimoGravado + 1;
        lista.push_back(a);
    }
    return lista;
}

#include "gerador/GeradorNivel.h"

#include "gerador/Acaso.h"

#include "dados/Niveis.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace geradorNivel {
namespace {

// Columns are a runner's: where its back is. The view's left edge trails
// about SENTIDA columns behind, so a speed column at x is felt from x +
// SENTIDA on; a runner sees about 280 columns past its front.
constexpr int LARGURA = niveis::LARGURA_RUNNER + 1;  // columns of a runner's box
constexpr int ALTURA = niveis::ALTURA_RUNNER + 1;    // rows of a runner's box
constexpr int SENTIDA = 320;
constexpr int VISTO = 280 + LARGURA;  // a danger shows when a runner's back is this far before it
constexpr int AVISO = 14;             // frames (about 480 ms) between a wall showing and its last press
constexpr int INTERVALO = 12;         // frames (about 400 ms) from a late landing to the next danger's last press
constexpr int FOLGA_VOO = 1;          // frames a flight is given beyond its own
constexpr int V_MAX_PERIGO = 25;      // faster, a danger shows for too short a time
constexpr int V_MIN_CORRIDA = 27;     // the stretches that ask for no press
constexpr int CHAO_MAX = 440;         // the floor's top row, at most
constexpr int TETO_MIN = 40;          // the ceiling's lowest row, at least
constexpr int CHAO_COLUNA_MAX = 470;  // the same, where the ground steps away at a speed column
constexpr int TETO_COLUNA_MIN = 10;
constexpr int FOLGA_MIN = 160;        // rows between the floor's top and the ceiling's lowest row
constexpr int PASSAGEM = ALTURA + 6;  // rows a runner on the other side needs past a wall
constexpr int X_CHAO_FIM_MAX = 16950; // the ground gives out before here, so the view stops in the picture
constexpr int SEM_CHAO = -1;

// Frames a runner that stands takes to move `linhas` rows once flipped:
// gravity adds 1.8 pixels a frame to its speed every frame, and its steps
// are the whole pixels of that speed (tenths here, so no rounding of the
// platform's decides anything).
int quadrosVoo(int linhas) {
    int velocidade = 0, feito = 0, quadros = 0;
    while (feito < linhas) {
        velocidade += 18;
        feito += velocidade / 10;
        ++quadros;
    }
    return quadros;
}

// The tallest wall a runner at v pixels a frame sees AVISO frames before the
// last press that climbs it in time: a press must lift the runner h rows
// before its front meets the wall. At 10 pixels a frame 155 rows, at 13 45,
// at 15 none.
int alturaParedeMax(int v) {
    int h = 0;
    for (int t = 10; t <= 160; t += 5)
        if (280 - v * quadrosVoo(t + 1) >= AVISO * v) h = t;
    return h;
}

struct Trecho {
    int x;
    int limite;  // floor: top row; ceiling: lowest row; SEM_CHAO for a gap
};

struct Bloco {
    int x, y, largura, altura;
};

struct Coluna {
    int x, velocidade;
};

// Where a stretch wants its floor and ceiling: the gaps there take them
// towards it. Narrow ones are the tunnels.
struct Raia {
    int chao = 400;
    int teto = 80;
};

// A danger on the side the runner stands on: a gap, or a wall so high.
struct Perigo {
    bool parede = false;
    int largura = 0;
    int altura = 0;  // of a wall
};

// One candidate level, laid out column by column as a runner meets it.
class Construtor {
public:
    Construtor(uint64_t semente, int candidato)
        : acaso(Acaso::misturar(semente, static_cast<uint64_t>(candidato))), semente(semente), candidato(candidato) {}

    std::string construir();

private:
    Raia escolherRaia(bool estreitaPermitida);
    // Places the stretch's dangers from column x on while their last
    // landing leaves INTERVALO frames before `fim`; returns where the next
    // danger could stand at the earliest.
    int preencher(int x, int fim, int v, const Raia& raia);
    // Slabs, harmless gaps on the other side and steps away from the
    // runners, between columns `de` and `ate`, where no flip happens.
    void enfeitar(int de, int ate, const Raia& raia);
    void alargar(int de, int ate);
    void terminar(int x, int v);
    // Places a speed column at x, or a little later: colunas.back().
    void colocarColuna(int x, int v);
    std::string texto() const;

    void marcar(std::vector<Trecho>& perfil, int x, int limite);
    int ultimoX(const std::vector<Trecho>& perfil) const { return perfil.back().x; }

    Acaso acaso;
    uint64_t semente;
    int candidato;
    std::string tema;
    std::vector<Trecho> chao, teto;
    std::vector<Bloco> blocos;
    std::vector<Coluna> colunas;
    int chegadaX = 0, chegadaY = 0;
    int alturaChegada = 75;
    int F = 400;      // the floor's top row where the last floor line leaves it
    int C = 40;       // the ceiling's lowest row, likewise
    int lado = 1;     // where the runner the level is laid out for stands: 1 floor, -1 ceiling
    int ultimoPouso = 0;  // where it lands at the latest after the last danger
};

void Construtor::marcar(std::vector<Trecho>& perfil, int x, int limite) {
    if (!perfil.empty() && perfil.back().x == x) {
        perfil.back().limite = limite;
        return;
    }
    if (!perfil.empty() && perfil.back().x > x) return;  // never out of order
    perfil.push_back({x, limite});
}

Raia Construtor::escolherRaia(bool estreitaPermitida) {
    const bool estreita = estreitaPermitida && acaso.chance(35);
    const int folga = estreita ? acaso.entre(FOLGA_MIN, 230) : acaso.entre(270, 360);
    const int meio = acaso.entre(210, 250);
    Raia r;
    r.chao = std::min(CHAO_MAX - 10, meio + folga / 2);
    r.teto = std::max(TETO_MIN, r.chao - folga);
    return r;
}

int Construtor::preencher(int x, int fim, int v, const Raia& raia) {
    int proximo = x;
    while (true) {
        Perigo p;
        const int hMax = std::min(alturaParedeMax(v), F - C - PASSAGEM);
        p.parede = hMax >= 25 && acaso.chance(40);
        if (p.parede) {
            p.altura = acaso.entre(std::max(25, hMax / 2), hMax);
            p.largura = acaso.entre(40, 80);
        } else {
            p.largura = acaso.entre(std::max(110, 5 * v), std::min(250, 8 * v + 100));
        }
        const int voo = quadrosVoo(F - C - ALTURA);
        // A wall's last press comes before its front meets it, lifted high enough.
        const int ultimaPressao = proximo;
        const int inicio = ultimaPressao + (p.parede ? LARGURA + v * quadrosVoo(p.altura + 1) : 0);
        const int pouso = ultimaPressao + v * (voo + FOLGA_VOO);
        if (pouso + INTERVALO * v > fim) return proximo;

        const int depois = inicio + p.largura;
        if (lado > 0) {
            if (p.parede) {
                marcar(chao, inicio, F - p.altura);
                F = std::min(CHAO_MAX, F + acaso.entre(0, 20));
            } else {
                marcar(chao, inicio, SEM_CHAO);
                F = std::clamp(raia.chao + acaso.entre(-15, 15), C + FOLGA_MIN, CHAO_MAX);
            }
            marcar(chao, depois, F);
        } else {
            if (p.parede) {
                marcar(teto, inicio, C + p.altura);
                C = std::max(TETO_MIN, C - acaso.entre(0, 20));
            } else {
                marcar(teto, inicio, SEM_CHAO);
                C = std::clamp(raia.teto + acaso.entre(-15, 15), TETO_MIN, F - FOLGA_MIN);
            }
            marcar(teto, depois, C);
        }
        lado = -lado;
        ultimoPouso = pouso;

        // The next danger gives its INTERVALO frames from where a runner that
        // took this one at the last moment lands; it shows only once this
        // one's gap is behind where a flip for it would land, so the ground
        // to land on is there.
        const int vooVolta = std::min(voo, quadrosVoo(F - C - ALTURA));
        proximo = std::max({pouso + INTERVALO * v, depois + VISTO - v * vooVolta + 20, depois + 150});
        proximo += v * acaso.entre(0, 4);
        if (acaso.chance(25)) {
            // A rest, where a slab, a harmless gap or a step may stand: the
            // next danger shows only once it is behind the runner.
            const int de = std::max(pouso, depois) + 60;
            const int ate = de + acaso.entre(200, 400);
            enfeitar(de, ate, raia);
            proximo = std::max(proximo, ate + std::max(VISTO, 18 * v) + 60);
        }
    }
}

void Construtor::enfeitar(int de, int ate, const Raia& raia) {
    if (ate - de < 200) return;
    const int tipo = acaso.entre(0, 3);
    if (tipo <= 1) {
        // A slab between the runners' ways on the floor and the ceiling:
        // passed under or over, and only in the way of a flip made here.
        const int margem = ALTURA + 12;
        const int vao = F - C - 2 * margem;
        if (vao < 30) return;
        Bloco b;
        b.largura = acaso.entre(80, std::min(160, ate - de));
        b.altura = acaso.entre(30, std::min(90, vao));
        b.x = acaso.entre(de, ate - b.largura);
        b.y = acaso.entre(C + margem, F - margem - b.altura);
        blocos.push_back(b);
    } else if (tipo == 2) {
        // A gap on the other side, where nobody stands: it looks like a
        // danger and asks for nothing, and the ground there takes the
        // stretch's height after it.
        const int largura = acaso.entre(100, std::min(220, ate - de));
        const int x = acaso.entre(de, ate - largura);
        if (lado > 0) {
            if (x <= ultimoX(teto)) return;
            marcar(teto, x, SEM_CHAO);
            C = std::clamp(raia.teto + acaso.entre(-15, 15), TETO_MIN, F - FOLGA_MIN);
            marcar(teto, x + largura, C);
        } else {
            if (x <= ultimoX(chao)) return;
            marcar(chao, x, SEM_CHAO);
            F = std::clamp(raia.chao + acaso.entre(-15, 15), C + FOLGA_MIN, CHAO_MAX);
            marcar(chao, x + largura, F);
        }
    } else {
        alargar(de, ate);
    }
}

void Construtor::alargar(int de, int ate) {
    // The floor steps down or the ceiling up: whoever runs there falls a
    // little and runs on.
    const int x = acaso.entre(de, ate);
    const bool noChao = acaso.chance(50);
    if (noChao && F + 10 <= CHAO_MAX && x > ultimoX(chao)) {
        F = std::min(CHAO_MAX, F + acaso.entre(10, 30));
        marcar(chao, x, F);
    } else if (C - 10 >= TETO_MIN && x > ultimoX(teto)) {
        C = std::max(TETO_MIN, C - acaso.entre(10, 30));
        marcar(teto, x, C);
    }
}

void Construtor::terminar(int x, int v) {
    // The sky opens for good: whoever hangs from the ceiling comes down (a
    // hole like any other for them), and only a runner on the floor meets
    // the finish line. Past it the ground gives out, every runner falls, and
    // the level is over before its view could pass the pictures' end.
    const int ceu = x + v * acaso.entre(0, 4);
    marcar(teto, ceu, SEM_CHAO);
    const int pouso = ceu + v * (quadrosVoo(F - C - ALTURA) + FOLGA_VOO);
    const int fimChao = std::min(X_CHAO_FIM_MAX, std::max(pouso + AVISO * v + 100, ceu + 450) + acaso.entre(300, 400));
    chegadaX = fimChao - acaso.entre(300, 400);
    chegadaY = F - 1;
    marcar(chao, fimChao, SEM_CHAO);
}

void Construtor::colocarColuna(int x, int v) {
    // A speed column is painted over the collision picture's whole height,
    // and a runner whose feet find the ground on the column just before it
    // and the column next, steps a pixel into the ground and is stuck there.
    // So each column stands one past where the floor steps down and the
    // ceiling steps up: the column before it is open at a runner's feet and
    // head, and whoever stands just before the step walks off it. Nothing
    // else changes near it.
    for (const auto* perfil : {&chao, &teto}) x = std::max(x, ultimoX(*perfil) + 4);
    for (const Bloco& b : blocos) x = std::max(x, b.x + b.largura + 4);
    F += std::min(acaso.entre(8, 20), (CHAO_COLUNA_MAX - F) / 2);
    C -= std::min(acaso.entre(8, 20), (C - TETO_COLUNA_MIN) / 2);
    marcar(chao, x - 1, F);
    marcar(teto, x - 1, C);
    colunas.push_back({x, v});
}

std::string Construtor::construir() {
    tema = acaso.chance(50) ? "campo" : "noite";
    const int fimConteudo = acaso.entre(15300, 15700);

    // The start: six runners stand one above the other at column 320 from
    // row 55 down and fall to the floor, where they stand stacked, 6 x 48
    // rows high. Past them the ceiling comes down towards the first
    // stretch's, never onto the stack.
    F = acaso.entre(400, 430);
    C = 40;
    chao.push_back({0, F});
    teto.push_back({0, C});
    int v = acaso.entre(10, 13);
    colunas.push_back({2, v});
    Raia raia = escolherRaia(false);
    const int tetoInicio = std::min(raia.teto, F - 6 * ALTURA - 2);
    if (tetoInicio > C) {
        C = tetoInicio;
        marcar(teto, acaso.entre(650, 800), C);
    }

    int x = acaso.entre(1200, 1500);
    int fimSecao = acaso.entre(3200, 4500);
    bool corridaFeita = false;
    while (true) {
        const int fim = std::min(fimSecao, fimConteudo);
        x = preencher(x, fim, v, raia);
        if (fim >= fimConteudo) break;

        // The next stretch's speed is felt once the last danger's runner
        // has landed; a stretch of 27 pixels a frame or more asks for
        // nothing, and comes at most once, never last.
        const int vAntes = v;
        int sentida = std::max(ultimoPouso + 2 * vAntes + LARGURA, fim - 400) + acaso.entre(0, 150);
        const bool corrida = !corridaFeita && vAntes <= V_MAX_PERIGO && sentida + 5000 < fimConteudo &&
                             acaso.chance(40);
        if (corrida) {
            v = acaso.entre(V_MIN_CORRIDA, 30);
            colocarColuna(sentida - SENTIDA, v);
            sentida = colunas.back().x + SENTIDA;
            const int fimCorrida = sentida + acaso.entre(1500, 2500);
            for (int passo = sentida + 300; passo + 200 < fimCorrida; passo += acaso.entre(400, 800))
                alargar(passo, passo + 150);
            corridaFeita = true;
            sentida = fimCorrida;
        }
        do {
            v = acaso.entre(10, V_MAX_PERIGO);
        } while (v == vAntes || (!corrida && std::abs(v - vAntes) < 3));
        colocarColuna(sentida - SENTIDA, v);
        sentida = colunas.back().x + SENTIDA;
        raia = escolherRaia(true);
        x = std::max(x, sentida + AVISO * v + acaso.entre(100, 250));
        fimSecao = sentida + acaso.entre(2200, 4200);
    }
    terminar(x, v);
    return texto();
}

std::string Construtor::texto() const {
    // Every line in column order; lines of one column in the order made.
    std::vector<std::tuple<int, int, std::string>> linhas;
    auto acrescentar = [&](int x, std::string linha) {
        linhas.emplace_back(x, static_cast<int>(linhas.size()), std::move(linha));
    };
    auto limite = [](int l) { return l == SEM_CHAO ? std::string("-") : std::to_string(l); };
    for (const Coluna& c : colunas)
        acrescentar(c.x, "velocidade " + std::to_string(c.x) + " " + std::to_string(c.velocidade) +
                             "   # felt from about x = " + std::to_string(c.x + SENTIDA));
    for (const Trecho& t : chao) acrescentar(t.x, "chao " + std::to_string(t.x) + " " + limite(t.limite));
    for (const Trecho& t : teto) acrescentar(t.x, "teto " + std::to_string(t.x) + " " + limite(t.limite));
    for (const Bloco& b : blocos)
        acrescentar(b.x, "bloco " + std::to_string(b.x) + " " + std::to_string(b.y) + " " + std::to_string(b.largura) +
                             " " + std::to_string(b.altura));
    acrescentar(chegadaX, "chegada " + std::to_string(chegadaX) + " " + std::to_string(chegadaY) + " " +
                              std::to_string(alturaChegada));
    std::sort(linhas.begin(), linhas.end());

    std::string saida = "# AVESSO, a fresh level: seed " + std::to_string(semente) + ", candidate " +
                        std::to_string(candidato) + " (avesso-levels new --seed " + std::to_string(semente) +
                        ").\n# The format is described in niveis/README.md.\ntema " + tema + "\n";
    for (const auto& linha : linhas) saida += std::get<2>(linha) + "\n";
    return saida;
}

}  // namespace

std::string gerar(uint64_t semente, int candidato) { return Construtor(semente, candidato).construir(); }

}  // namespace geradorNivel

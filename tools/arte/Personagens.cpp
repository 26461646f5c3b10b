#include "Personagens.h"

#include "Desenho.h"
#include "dados/Paleta.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace personagens {
namespace {

using namespace paleta;

constexpr double PI = 3.14159265358979323846;

// Limb lengths in pixels, joint to joint; shared so the six run alike.
constexpr double BRACO = 6.0;
constexpr double ANTEBRACO = 6.0;
constexpr double COXA = 9.0;
constexpr double CANELA = 8.0;
constexpr double PE = 3.0;

// Where the hip sits in a running frame: the same column in every frame, so
// the body does not wobble sideways.
constexpr int X_QUADRIL_CORRENDO = 19;

struct Vetor {
    double x, y;
};

Vetor operator+(Vetor a, Vetor b) { return {a.x + b.x, a.y + b.y}; }
Vetor operator*(Vetor a, double k) { return {a.x * k, a.y * k}; }

// A direction given as an angle of the body's frame, turned with the figure.
Vetor direcao(double graus, int giro) {
    double r = graus * PI / 180.0;
    Vetor v{std::sin(r), std::cos(r)};
    for (int i = 0; i < giro; ++i) v = {-v.y, v.x};
    return v;
}

Vetor girarDeslocamento(Vetor d, int giro) {
    for (int i = 0; i < giro; ++i) d = {-d.y, d.x};
    return d;
}

// A limb segment: from `a` to `b`, `raio` thick on each side.
struct Segmento {
    Vetor a, b;
    double raio;
    uint32_t cor, sombra;
};

double distancia(Vetor p, const Segmento& s, Vetor& normal) {
    Vetor ab{s.b.x - s.a.x, s.b.y - s.a.y};
    double comp2 = ab.x * ab.x + ab.y * ab.y;
    double t = comp2 > 0 ? ((p.x - s.a.x) * ab.x + (p.y - s.a.y) * ab.y) / comp2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    Vetor c = s.a + ab * t;
    normal = {p.x - c.x, p.y - c.y};
    return std::hypot(normal.x, normal.y);
}

// One part of the figure (a whole arm, a whole leg): its outline first, then
// its fill, so parts overlap cleanly and each keeps its own dark edge.
void pintarMembro(Quadro& q, const std::vector<Segmento>& segmentos) {
    for (int passo = 0; passo < 2; ++passo) {
        for (const Segmento& s : segmentos) {
            int x0 = static_cast<int>(std::floor(std::min(s.a.x, s.b.x) - s.raio - 2));
            int x1 = static_cast<int>(std::ceil(std::max(s.a.x, s.b.x) + s.raio + 2));
            int y0 = static_cast<int>(std::floor(std::min(s.a.y, s.b.y) - s.raio - 2));
            int y1 = static_cast<int>(std::ceil(std::max(s.a.y, s.b.y) + s.raio + 2));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    Vetor n{};
                    double d = distancia({double(x), double(y)}, s, n);
                    if (passo == 0) {
                        if (d <= s.raio + 1.0) q.ponto(x, y, NOITE);
                    } else if (d <= s.raio) {
                        // Light comes from the upper left.
                        bool escuro = d > 0.4 && (n.x + n.y) / d > 0.6;
                        q.ponto(x, y, escuro ? s.sombra : s.cor);
                    }
                }
            }
        }
    }
}

void pintarArte(Quadro& q, const Quadro& arte, int x, int y) {
    // One pixel of room on every side, so the outline goes all the way round.
    Quadro contorno(arte.largura() + 2, arte.altura() + 2, MASCARA);
    contorno.copiar(arte, 1, 1, true);
    desenho::contornar(contorno, NOITE);
    q.copiar(contorno, x - 1, y - 1, true);
}

// Where (x, y) of a w x h picture lands after `giro` clockwise quarter turns.
void girarPonto(int& x, int& y, int w, int h, int giro) {
    for (int i = 0; i < giro; ++i) {
        int nx = h - 1 - y;
        y = x;
        x = nx;
        std::swap(w, h);
    }
}

const std::vector<Personagem> ELENCO = {
    {"BRASA",
     {"......rrrrr........",
      "....rroooorr.......",
      "...rroooooorr......",
      "...rrrrrrrrrrrrr...",
      "...eeyyyyyyyy......",
      "...eyyyyywkyy......",
      "...eyyyyywkyyy.....",
      "...eoyyyyyyyyy.....",
      "....oyyyyyyyy......",
      ".....ooyyyyo.......",
      ".......oyyo........",
      "....rrrrrrrrr......",
      "...rrwwrrrrrrr.....",
      "...rrrwwrrrrrr.....",
      "...prrrwwrrrrr.....",
      "...prrrrwwrrrr.....",
      "...pprrrrwwrrp.....",
      "....pprrrrrrp......",
      "....rrrrrrrrr......",
      "....prrrrrrrp......"},
     8, 13, 8, 19,
     {VINHO, AMEIXA}, {AREIA, LARANJA},
     {VINHO, AMEIXA}, {VINHO, AMEIXA}, AREIA, BRANCO},
    {"CHIP",
     {"..........l.......",
      ".........lll......",
      "..........d.......",
      "....ssssssdsss....",
      "....swwwwwwwws....",
      "....sssssssssd....",
      "....ssskaaaaad....",
      "....sssaaaaaad....",
      "....ssssssssssd...",
      "....sdsdsdsdsd....",
      ".....ddddddddd....",
      ".......dddd.......",
      "...ggggggggggg....",
      "...glllllllllg....",
      "...gglgggggggg....",
      "...gglgyyggggt....",
      "...gglgyyggggt....",
      "...ggggggggggt....",
      "...tgggggggggt....",
      "...ddddddddddd....",
      "...eeddddddddee..."},
     8, 13, 8, 20,
     {NEVOA, ARDOSIA}, {NEVOA, ARDOSIA},
     {NEVOA, ARDOSIA}, {NEVOA, ARDOSIA}, LIMA, GRAFITE},
    {"VULTO",
     {".......nbbbbb....",
      ".....nbbcccbbb...",
      "....nbbcccccbbb..",
      ".rr.rrrrrrrrrrr..",
      "rr.rrrrrrrrrrrr..",
      "r.rr.nbbbbbbbbbb.",
      "..r..nbbbyyykyb..",
      ".....nbbbbbbbbbb.",
      ".....nnbbbbbbbb..",
      "......nnbbbbbn...",
      "........nbbn.....",
      ".....nbbbbbbbb...",
      "....nbbcbbbbbbb..",
      "....nbbbcbbbbbb..",
      "....nbbbbcbbbbb..",
      "....nnbbbbbbbbb..",
      "....nnbbbbbbbbn..",
      ".....nnbbbbbbn...",
      ".....rrrrrrrrr...",
      ".....nnnnnnnnn..."},
     9, 12, 9, 19,
     {AZUL, MARINHO}, {AZUL, MARINHO},
     {AZUL, MARINHO}, {AZUL, MARINHO}, AZUL, MARINHO},
    {"FAISCA",
     {"..y...y...y.......",
      "..yy..yy..yy......",
      ".yyyyyyyyyyyy.....",
      "yyyyyyyyyyyyyy....",
      ".yyyyyyyyyyyyyy...",
      "yyyyyyyyrrrrrr....",
      ".yyyyyrroooooo....",
      "yyyyyrooooowko....",
      "..yyyroooooowkoo..",
      "...yyrooooooooo...",
      ".....rroooooor....",
      ".......rrooor.....",
      ".....oooooooooo...",
      "....ooyyyyyyyoo...",
      "....oyyyyyyyyyo...",
      "....ryyyyyyyyyo...",
      "....ryyyoooyyyo...",
      "....rryyyyyyyyr...",
      ".....rrrrrrrrr....",
      ".....ppppppppp...."},
     9, 13, 9, 19,
     {AREIA, LARANJA}, {LARANJA, VINHO},
     {AMEIXA, GRAFITE}, {LARANJA, VINHO}, LARANJA, LIMA},
    {"MAGO",
     {"pp................",
      ".ppp..............",
      "..pppp............",
      "...pppp...........",
      "....ppppp.........",
      "....pppyp.........",
      "....pppppp........",
      "...yyyyyyyy.......",
      ".pppppppppppppp...",
      "....yyyyyywkyy....",
      "....syyyyyyyyyy...",
      "....swwwwwwwww....",
      "....swwwwwwwwww...",
      "....sswwwwwwww....",
      "...ppsswwwwwwp....",
      "...ppppswwwwpp....",
      "...prppppswwpp....",
      "...prpppppppppp...",
      "...prppppppppppp..",
      "..pprpppppppppppp.",
      "..pppppppppppppppp"},
     8, 15, 9, 20,
     {AMEIXA, AMEIXA}, {AMEIXA, AMEIXA},
     {GRAFITE, NOITE}, {GRAFITE, NOITE}, AREIA, VINHO},
    {"ASTRO",
     {".....wwwwww.......",
      "...wwwwwwwwww.....",
      "..wwwwwwwwwwws....",
      "..wwwwwwcaaaas....",
      ".swwwwwcaaawac....",
      ".swwwwwcaaaaac....",
      ".swwwwwccaaaac....",
      ".sswwwwwcccccs....",
      "..ssswwwwwwsss....",
      "...ssssssssss.....",
      ".....dddddd.......",
      "ddd.wwwwwwwww.....",
      "dsd.wwwwwwwwww....",
      "dsdswwwrwwwwww....",
      "dsdswwwwwwwwww....",
      "dsdsswwwwwwwww....",
      "ddd.sswwwwwwws....",
      "....sssssssss.....",
      "....dddddddddd...."},
     9, 12, 9, 18,
     {BRANCO, NEVOA}, {BRANCO, NEVOA},
     {BRANCO, NEVOA}, {BRANCO, NEVOA}, ARDOSIA, GRAFITE},
};

// A limb segment in its material: the far limb is all in shadow.
Segmento segmento(Vetor a, Vetor b, double raio, const Rampa& r, bool perto) {
    return {a, b, raio, perto ? r.luz : r.sombra, r.sombra};
}

std::vector<Segmento> braco(Vetor ombro, double a1, double a2, int giro, const Personagem& p,
                            bool perto) {
    Vetor cotovelo = ombro + direcao(a1, giro) * BRACO;
    Vetor pulso = cotovelo + direcao(a2, giro) * ANTEBRACO;
    return {segmento(ombro, cotovelo, p.raioBraco, p.manga, perto),
            segmento(cotovelo, pulso, p.raioBraco, p.braco, perto),
            {pulso, pulso, p.raioBraco + 0.5, p.mao, p.mao}};
}

std::vector<Segmento> perna(Vetor quadril, double a1, double a2, int giro, const Personagem& p,
                            bool perto) {
    Vetor joelho = quadril + direcao(a1, giro) * COXA;
    Vetor tornozelo = joelho + direcao(a2, giro) * CANELA;
    // The foot points forward, square to the shin.
    Vetor ponta = tornozelo + direcao(a2 + 90.0, giro) * PE;
    return {segmento(quadril, joelho, p.raioPerna, p.calcao, perto),
            segmento(joelho, tornozelo, p.raioPerna, p.perna, perto),
            {tornozelo, ponta, 1.2, p.sapato, p.sapato}};
}

}  // namespace

const std::vector<Personagem>& elenco() { return ELENCO; }

Pose poseCorrida(int quadro) {
    auto perna = [](double fase, double& coxa, double& canela) {
        coxa = 8.0 + 42.0 * std::sin(fase);
        // The knee folds while the leg swings forward and straightens under load.
        canela = coxa - (12.0 + 80.0 * std::max(0.0, std::cos(fase)));
    };
    auto braco = [](double fase, double& braco, double& antebraco) {
        braco = -50.0 * std::sin(fase);
        antebraco = braco + 85.0;
    };
    double fase = 2.0 * PI * quadro / QUADROS_CHAO;
    Pose p{};
    perna(fase, p.coxaPerto, p.canelaPerto);
    perna(fase + PI, p.coxaLonge, p.canelaLonge);
    braco(fase, p.bracoPerto, p.antebracoPerto);
    braco(fase + PI, p.bracoLonge, p.antebracoLonge);
    return p;
}

Pose poseNoAr(int quadro) {
    // Spread out and turning a quarter each frame: a somersault forward.
    double abre = (quadro % 2) ? 12.0 : 0.0;
    Pose p{};
    p.coxaPerto = 55.0 + abre;
    p.canelaPerto = -5.0 + abre;
    p.coxaLonge = -35.0 - abre;
    p.canelaLonge = -95.0;
    p.bracoPerto = 115.0 + abre;
    p.antebracoPerto = 150.0 + abre;
    p.bracoLonge = -105.0 - abre;
    p.antebracoLonge = -150.0;
    p.giro = quadro % 4;
    return p;
}

Quadro desenharQuadro(const Personagem& p, const Pose& pose, bool noChao) {
    constexpr int TELA = 100, CENTRO = 50;  // work canvas, the hip at its centre
    Quadro tela(TELA, TELA, MASCARA);

    Quadro arte = desenho::girar(desenho::deTexto(p.corpo), pose.giro);
    int hx = p.quadrilX, hy = p.quadrilY;
    girarPonto(hx, hy, static_cast<int>(p.corpo[0].size()), static_cast<int>(p.corpo.size()), pose.giro);

    Vetor quadril{double(CENTRO), double(CENTRO)};
    Vetor ombro = quadril + girarDeslocamento({double(p.ombroX - p.quadrilX), double(p.ombroY - p.quadrilY)},
                                              pose.giro);

    pintarMembro(tela, braco(ombro, pose.bracoLonge, pose.antebracoLonge, pose.giro, p, false));
    pintarMembro(tela, perna(quadril, pose.coxaLonge, pose.canelaLonge, pose.giro, p, false));
    pintarArte(tela, arte, CENTRO - hx, CENTRO - hy);
    pintarMembro(tela, perna(quadril, pose.coxaPerto, pose.canelaPerto, pose.giro, p, true));
    pintarMembro(tela, braco(ombro, pose.bracoPerto, pose.antebracoPerto, pose.giro, p, true));

    int x0 = TELA, y0 = TELA, x1 = -1, y1 = -1;
    for (int y = 0; y < TELA; ++y)
        for (int x = 0; x < TELA; ++x)
            if (tela.cor(x, y) != MASCARA) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) throw std::logic_error("empty frame for " + p.nome);

    int origemX, origemY;
    if (noChao) {
        origemX = CENTRO - X_QUADRIL_CORRENDO;
        origemY = y1 - (ALTURA_QUADRO - 1);  // the feet on the bottom row
    } else {
        origemX = (x0 + x1 + 1) / 2 - LARGURA_QUADRO / 2;
        origemY = (y0 + y1 + 1) / 2 - ALTURA_QUADRO / 2;
    }
    return desenho::recortar(tela, origemX, origemY, LARGURA_QUADRO, ALTURA_QUADRO);
}

Quadro folha(const Personagem& p) {
    Quadro f(LARGURA_FOLHA, ALTURA_FOLHA, MASCARA);
    for (int i = 0; i < QUADROS_CHAO; ++i)
        f.copiar(desenharQuadro(p, poseCorrida(i), true), i * LARGURA_QUADRO, 0, false);
    for (int i = 0; i < QUADROS_AR; ++i)
        f.copiar(desenharQuadro(p, poseNoAr(i), false), i * LARGURA_QUADRO, ALTURA_QUADRO + 2, false);
    return f;
}

}  // namespace personagens

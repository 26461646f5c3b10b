#include "Cenario.h"

#include "Desenho.h"
#include "niveis/Pontilhado.h"

#include "dados/Paleta.h"

#include <cmath>

namespace cenario {
namespace {

using namespace paleta;
using desenho::Sorteio;

// A row of buildings along `base`, rising up (ceiling twin: hanging down).
void cidade(Quadro& q, int base, bool pendurada, int alturaMin, int alturaMax, uint32_t cor,
            uint32_t janela, Sorteio& s) {
    int x = -s.entre(0, 20);
    while (x < LARGURA) {
        int largura = s.entre(22, 46);
        int altura = s.entre(alturaMin, alturaMax);
        int topo = pendurada ? base + altura : base - altura;
        q.retangulo(x, base, x + largura - 1, topo, cor);
        // A roof step on some buildings breaks the skyline.
        if (s.entre(0, 2) == 0) {
            int recuo = largura / 4;
            int extra = s.entre(6, 14);
            q.retangulo(x + recuo, topo, x + largura - 1 - recuo, pendurada ? topo + extra : topo - extra, cor);
        }
        // Lit windows on a grid of 4 x 5.
        for (int wy = 6; wy < altura - 6; wy += 5) {
            for (int wx = 3; wx < largura - 3; wx += 4) {
                if (s.entre(0, 6) != 0) continue;
                int y = pendurada ? base + wy : base - wy;
                q.retangulo(x + wx, y, x + wx + 1, y + (pendurada ? 1 : -1), janela);
            }
        }
        x += largura + s.entre(0, 6);
    }
}

void estrelas(Quadro& q, int y0, int y1, int quantas, Sorteio& s) {
    for (int i = 0; i < quantas; ++i) {
        int x = s.entre(0, LARGURA - 1);
        int y = s.entre(y0, y1);
        int tipo = s.entre(0, 9);
        if (tipo == 0) {
            // A bright one with a small cross.
            q.ponto(x, y, BRANCO);
            q.ponto(x - 1, y, NEVOA);
            q.ponto(x + 1, y, NEVOA);
            q.ponto(x, y - 1, NEVOA);
            q.ponto(x, y + 1, NEVOA);
        } else {
            q.ponto(x, y, tipo < 4 ? NEVOA : ARDOSIA);
        }
    }
}

// Letters as a mask: painted pixels are the letters.
Quadro mascaraDeLetras(const std::string& texto, int escala) {
    Quadro q(Quadro::larguraTexto(texto, escala), Quadro::alturaTexto(escala), MASCARA);
    q.escrever(0, 0, texto, BRANCO, escala);
    return q;
}

}  // namespace

uint32_t corJogador(int n) {
    return paleta::JOGADORES[(n - 1 + 6) % 6];
}

void fundo(Quadro& q, uint32_t semente) {
    Sorteio s(semente);
    desenho::degradeVertical(q, 0, 0, LARGURA - 1, ALTURA - 1,
                             {{0.0, NOITE}, {0.30, MARINHO}, {0.47, AMEIXA}, {0.50, VINHO},
                              {0.53, AMEIXA}, {0.70, MARINHO}, {1.0, NOITE}});
    estrelas(q, FAIXA, 200, 90, s);
    estrelas(q, 280, ALTURA - FAIXA, 90, s);
    // Far rows first, in the sky's own colour family, then nearer darker ones.
    cidade(q, FAIXA, true, 70, 150, MARINHO, ARDOSIA, s);
    cidade(q, ALTURA - FAIXA - 1, false, 70, 150, MARINHO, ARDOSIA, s);
    cidade(q, FAIXA, true, 30, 90, GRAFITE, AMEIXA, s);
    cidade(q, ALTURA - FAIXA - 1, false, 30, 90, GRAFITE, LARANJA, s);
    // The horizon, where the two sides meet.
    q.retangulo(0, 239, LARGURA - 1, 240, LARANJA);
    for (int x = 0; x < LARGURA; x += 2) {
        q.ponto(x, 238, VINHO);
        q.ponto(x + 1, 241, VINHO);
    }
    moldura(q);
}

void faixaTerreno(Quadro& q, int x0, int y0, int x1, int y1, bool teto) {
    q.retangulo(x0, y0, x1, y1, ARDOSIA);
    desenho::velar(q, x0, y0, x1, y1, GRAFITE);
    // Block joints.
    for (int x = x0 + 23; x < x1; x += 24) q.retangulo(x, y0, x, y1, NOITE);
    int borda = teto ? y1 : y0;
    int dentro = teto ? -1 : 1;
    q.retangulo(x0, borda, x1, borda, CIANO);
    q.retangulo(x0, borda + dentro, x1, borda + dentro, NEVOA);
    int fundoFaixa = teto ? y0 : y1;
    q.retangulo(x0, fundoFaixa, x1, fundoFaixa, NOITE);
}

void moldura(Quadro& q) {
    faixaTerreno(q, 0, 0, LARGURA - 1, FAIXA - 1, true);
    faixaTerreno(q, 0, ALTURA - FAIXA, LARGURA - 1, ALTURA - 1, false);
}

int letreiro(Quadro& q, const std::string& texto, int cx, int y, int escala, bool reflexo) {
    const Quadro letras = mascaraDeLetras(texto, escala);
    const int w = letras.largura(), h = letras.altura();
    const int x0 = cx - w / 2;
    const int relevo = std::max(2, escala / 2);  // depth of the extruded side

    // Extrusion down and right, then a two-pixel outline around all of it.
    Quadro bloco(w + relevo + 4, h + relevo + 4, MASCARA);
    for (int d = relevo; d >= 1; --d) {
        Quadro lado = letras;
        desenho::trocarCores(lado, {{BRANCO, d == relevo ? AMEIXA : VINHO}});
        bloco.copiar(lado, 2 + d, 2 + d, true);
    }
    bloco.copiar(letras, 2, 2, true);
    desenho::contornar(bloco, NOITE);
    desenho::contornar(bloco, NOITE);
    // The face: warm, lighter at the top, a bright rim along each top edge.
    for (int ly = 0; ly < h; ++ly) {
        for (int lx = 0; lx < w; ++lx) {
            if (letras.cor(lx, ly) == MASCARA) continue;
            double t = static_cast<double>(ly) / (h - 1);
            uint32_t c = t < 0.5 ? (pontilhar(lx, ly, t * 2) ? LARANJA : AREIA)
                                 : (pontilhar(lx, ly, (t - 0.5) * 2) ? VINHO : LARANJA);
            if (letras.cor(lx, ly - escala / 2) == MASCARA) c = BRANCO;
            bloco.ponto(2 + lx, 2 + ly, c);
        }
    }
    q.copiar(bloco, x0 - 2, y - 2, true);
    if (!reflexo) return bloco.altura() - 2;

    // The reflection: upside down, cold, rippling and fading with distance.
    const int inicio = y + h + relevo + 6;
    for (int ly = 0; ly < h; ++ly) {
        int fonteY = h - 1 - ly;
        double apagar = 0.25 + 0.75 * static_cast<double>(ly) / h;
        int onda = static_cast<int>(std::lround(std::sin(ly * 0.7) * 1.5));
        for (int lx = 0; lx < w; ++lx) {
            if (letras.cor(lx, fonteY) == MASCARA) continue;
            int px = x0 + lx + onda, py = inicio + ly;
            if (pontilhar(px, py, apagar)) continue;
            q.ponto(px, py, ly < h / 3 ? CELESTE : AZUL);
        }
    }
    return inicio + h - y;
}

}  // namespace cenario

#include "niveis/Placas.h"

#include "niveis/DescricaoNivel.h"
#include "niveis/Relevo.h"
#include "niveis/Tema.h"

#include "niveis/Quadro.h"

#include "dados/Niveis.h"
#include "dados/Paleta.h"

#include <algorithm>
#include <string>

namespace Placas {
namespace {

bool interior(const Relevo& r, int x, int y) {
    return r.solido(x, y) && r.solido(x - 1, y) && r.solido(x + 1, y) && r.solido(x, y - 1) &&
           r.solido(x, y + 1);
}

// Copies `desenho` (mask colour = nothing) with its top-left at (x0, y0),
// onto free space, or onto the ground's inside with `naParede`.
void estampar(Quadro& q, const Relevo& r, const Quadro& desenho, int x0, int y0, bool naParede) {
    for (int y = 0; y < desenho.altura(); ++y)
        for (int x = 0; x < desenho.largura(); ++x) {
            const uint32_t cor = desenho.cor(x, y);
            const int qx = x0 + x, qy = y0 + y;
            if (cor == paleta::MASCARA || qx < 0 || qy < 0 || qx >= q.largura() || qy >= q.altura()) continue;
            if (naParede ? interior(r, qx, qy) : !r.solido(qx, qy)) q.ponto(qx, qy, cor);
        }
}

Quadro tabuleta(const std::string& texto, uint32_t fundo, const Tema& tema, int escala) {
    const int largura = Quadro::larguraTexto(texto, escala) + 4 * escala + 2;
    const int altura = Quadro::alturaTexto(escala) + 4 * escala + 2;
    Quadro t(largura, altura, fundo);
    t.moldura(0, 0, largura - 1, altura - 1, tema.contorno);
    t.retangulo(1, altura - 1 - escala, largura - 2, altura - 2, tema.contorno == fundo ? fundo : tema.poste);
    t.escrever(2 * escala + 1, 2 * escala + 1, texto, tema.placaTexto, escala);
    return t;
}

// The free rows of column x around the middle of the picture: [topo, base].
void vao(const Relevo& r, int x, int& topo, int& base) {
    int meio = niveis::ALTURA / 2;
    while (meio < niveis::ALTURA - 1 && r.solido(x, meio)) ++meio;
    topo = meio;
    while (topo > 0 && !r.solido(x, topo - 1)) --topo;
    base = meio;
    while (base < niveis::ALTURA - 1 && !r.solido(x, base + 1)) ++base;
}

void corrente(Quadro& q, const Relevo& r, int x, int de, int ate, const Tema& tema) {
    for (int y = de; y <= ate; ++y)
        if (!r.solido(x, y)) q.ponto(x, y, (y / 2) % 2 ? tema.poste : tema.contorno);
}

void placaDeVelocidade(Quadro& q, const Relevo& r, int x, int velocidade, bool maisRapido, const Tema& tema) {
    int topo, base;
    vao(r, x, topo, base);
    const uint32_t fundo = maisRapido ? tema.placaMais : tema.placaMenos;
    // The exact column, dashed from ceiling to floor.
    for (int y = topo; y <= base; ++y)
        if (y % 8 < 3) q.ponto(x, y, fundo);
    const Quadro placa = tabuleta((maisRapido ? ">" : "") + std::to_string(velocidade), fundo, tema, 2);
    const int px = std::max(x - placa.largura() / 2, 2);
    const int py = std::clamp((topo + base) / 2 - placa.altura() / 2, topo + 4, std::max(topo + 4, base - placa.altura() - 4));
    if (topo > 0) {
        // Hung from the ceiling by two chains.
        corrente(q, r, px + 4, topo, py, tema);
        corrente(q, r, px + placa.largura() - 5, topo, py, tema);
    } else if (base < niveis::ALTURA - 1) {
        // Open sky: on a post.
        q.retangulo(px + placa.largura() / 2 - 1, py, px + placa.largura() / 2 + 1, base, tema.poste);
    }
    estampar(q, r, placa, px, py, false);
}

void chegada(Quadro& q, const Relevo& r, const DescricaoNivel::Chegada& linha, const Tema& tema) {
    const int x = linha.x;
    const int topo = linha.y - linha.altura;
    const int base = linha.y;
    // The chequered strip over the finish line's column and rows.
    for (int y = topo; y <= base; ++y)
        for (int dx = -5; dx <= 4; ++dx)
            if (!r.solido(x + dx, y))
                q.ponto(x + dx, y, ((dx + 5) / 5 + (y - topo) / 5) % 2 ? tema.xadrezEscuro : tema.xadrezClaro);

    Quadro faixa = tabuleta("FINISH", tema.faixa, tema, 2);
    for (int y = 1; y < faixa.altura() - 1; ++y)
        for (int xx = 1; xx < faixa.largura() - 1; ++xx)
            if (faixa.cor(xx, y) == tema.placaTexto) faixa.ponto(xx, y, tema.faixaTexto);
    if (r.solido(x + 8, topo - 1)) {
        // A wall stands over the line: the banner is fixed on it.
        estampar(q, r, faixa, x + 8, topo - faixa.altura() - 16, true);
    } else {
        // Free sky: the banner flies over the line on two poles.
        const int fy = topo - faixa.altura() - 10;
        const int fx = x - faixa.largura() / 2;
        for (int px : {fx + 3, fx + faixa.largura() - 4}) {
            int chao = base;
            while (chao < niveis::ALTURA - 1 && !r.solido(px, chao + 1)) ++chao;
            for (int y = fy; y <= chao; ++y)
                for (int dx = -1; dx <= 1; ++dx)
                    if (!r.solido(px + dx, y)) q.ponto(px + dx, y, dx < 0 ? tema.contorno : tema.poste);
        }
        estampar(q, r, faixa, fx, fy, false);
    }
}

}  // namespace

int ondeSeSente(int coluna) { return coluna + SENTIDA_ADIANTE; }

void pintar(Quadro& quadro, const Relevo& relevo, const DescricaoNivel& nivel, const Tema& tema) {
    int anterior = 1;  // the view starts at one pixel a frame
    for (const DescricaoNivel::Coluna& coluna : nivel.getColunas()) {
        placaDeVelocidade(quadro, relevo, ondeSeSente(coluna.x), coluna.velocidade, coluna.velocidade > anterior, tema);
        anterior = coluna.velocidade;
    }
    chegada(quadro, relevo, nivel.getChegada(), tema);
}

}  // namespace Placas

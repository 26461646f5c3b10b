#include "niveis/Paisagem.h"

#include "niveis/Tema.h"
#include "niveis/Textura.h"

#include "niveis/Pontilhado.h"
#include "niveis/Quadro.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace Paisagem {
namespace {

using textura::ruido;
using textura::suave;

constexpr int BASE_MONTANHAS = 335;  // row the distant range stands on
constexpr int PASSO_PICOS = 230;     // about one peak every this many columns

// Sky bands: solid colour with a short dithered seam between stops.
uint32_t corCeu(const Tema& tema, int x, int y) {
    const auto& ceu = tema.ceu;
    uint32_t cor = ceu.front().second;
    for (std::size_t i = 0; i + 1 < ceu.size(); ++i) {
        const int emenda = (ceu[i].first + ceu[i + 1].first) / 2;
        const double t = std::clamp((y - (emenda - 14)) / 28.0, 0.0, 1.0);
        if (y >= ceu[i].first) cor = pontilhar(x, y, t) ? ceu[i + 1].second : ceu[i].second;
    }
    return cor;
}

void disco(Quadro& q, int cx, int cy, int raio, uint32_t cor) {
    for (int y = -raio; y <= raio; ++y)
        for (int x = -raio; x <= raio; ++x)
            if (x * x + y * y <= raio * raio + raio) q.ponto(cx + x, cy + y, cor);
}

void nuvem(Quadro& q, const Tema& tema, int cx, int base, uint32_t semente) {
    // A few overlapping puffs with a flat, shaded underside.
    const int puffs = 3 + static_cast<int>(ruido(cx, 1, semente) % 4);
    int x0 = cx;
    for (int i = 0; i < puffs; ++i) {
        const int r = 8 + static_cast<int>(ruido(cx, i + 2, semente) % 13);
        const int px = x0 + r, py = base - r / 2 - (i == puffs / 2 ? 6 : 0);
        for (int y = py - r; y <= base; ++y)
            for (int x = px - r; x <= px + r; ++x) {
                const int dx = x - px, dy = y - py;
                if (dx * dx + dy * dy > r * r) continue;
                const bool sombra = y > base - 4 || (dy > r / 3 && pontilhar(x, y, 0.5));
                q.ponto(x, y, sombra ? tema.astroSombra : tema.astroLuz);
            }
        x0 += r + static_cast<int>(ruido(cx, i + 20, semente) % 10);
    }
}

void lua(Quadro& q, const Tema& tema, int cx, int cy) {
    disco(q, cx, cy, 20, tema.astroSombra);
    disco(q, cx - 4, cy - 3, 18, tema.astroLuz);
    for (int y = -20; y <= 20; ++y)  // a soft terminator on the shaded side
        for (int x = -20; x <= 20; ++x)
            if (x * x + y * y <= 420 && x > 6 && pontilhar(cx + x, cy + y, 0.5)) q.ponto(cx + x, cy + y, tema.astroSombra);
}

void sol(Quadro& q, const Tema& tema, int cx, int cy) {
    for (int y = -30; y <= 30; ++y)  // a dithered glow, then the disc
        for (int x = -30; x <= 30; ++x)
            if (x * x + y * y <= 900 && pontilhar(cx + x, cy + y, 0.5)) q.ponto(cx + x, cy + y, tema.astroLuz);
    disco(q, cx, cy, 22, tema.janela);
    disco(q, cx - 3, cy - 3, 16, tema.astroLuz);
}

struct Pico {
    int x, altura;
    double inclinacao;
};

Pico pico(int k) {
    const uint32_t h = ruido(k, 0, 11);
    return {k * PASSO_PICOS + static_cast<int>(h % 150), 60 + static_cast<int>((h >> 8) % 150),
            0.5 + static_cast<double>((h >> 16) % 45) / 100.0};
}

// The distant range: overlapping straight-sided peaks, a little rough.
struct Perfil {
    int topo;      // first mountain row
    bool luz;      // on the sunlit (left) side of its peak
    int cume;      // that peak's height
};

Perfil montanhaEm(int x) {
    Perfil p{BASE_MONTANHAS, true, 0};
    double melhor = -1e9;
    const int k0 = x / PASSO_PICOS;
    for (int k = k0 - 3; k <= k0 + 3; ++k) {
        const Pico pk = pico(k);
        const double v = pk.altura - std::abs(x - pk.x) * pk.inclinacao;
        if (v > melhor) {
            melhor = v;
            p.luz = x < pk.x;
            p.cume = pk.altura;
        }
    }
    p.topo = BASE_MONTANHAS - static_cast<int>(std::max(melhor, 0.0) + 6.0 * suave(x, 23, 14));
    return p;
}

// A farther range behind, low and pale: only its ridge shows over the haze.
int alturaLonginqua(int x) {
    const double h = 70.0 * suave(x, 260, 15) + 35.0 * suave(x, 90, 16) + 8.0 * suave(x, 25, 17);
    return BASE_MONTANHAS - 40 - static_cast<int>(h);
}

int alturaColina(int x) {
    const double h = 48.0 * suave(x, 330, 21) + 16.0 * suave(x, 95, 22);
    return 410 - static_cast<int>(h);
}

void cordilheiraLonginqua(Quadro& q, const Tema& tema) {
    for (int x = 0; x < q.largura(); ++x)
        for (int y = alturaLonginqua(x); y < q.altura(); ++y)
            if (y - alturaLonginqua(x) > 1 || pontilhar(x, y, 0.5)) q.ponto(x, y, tema.bruma);
}

void montanhas(Quadro& q, const Tema& tema) {
    for (int x = 0; x < q.largura(); ++x) {
        const Perfil p = montanhaEm(x);
        // Snow by day on the high summits only; by night a moonlit rim.
        const int abaixoDoCume = p.cume - (BASE_MONTANHAS - p.topo);
        int neve = 0;
        if (!tema.noite && p.cume > 120)
            neve = std::max(0, 12 - abaixoDoCume / 3) + static_cast<int>(ruido(x / 2, 0, 31) % 3);
        else if (tema.noite && p.luz)
            neve = 2;
        for (int y = std::max(p.topo, 0); y < q.altura(); ++y) {
            const int fundo = y - p.topo;
            uint32_t cor = p.luz ? tema.distanteLuz : tema.distanteSombra;
            if (fundo < neve) cor = tema.distanteTopo;
            // Hazier towards their feet.
            if (fundo > 45 && pontilhar(x, y, std::min(0.75, (fundo - 45) / 90.0))) cor = tema.bruma;
            q.ponto(x, y, cor);
        }
    }
}

void arvore(Quadro& q, const Tema& tema, int x0, int chao, uint32_t semente) {
    const int r = 6 + static_cast<int>(ruido(x0, 0, semente) % 8);
    const int tronco = 3 + static_cast<int>(ruido(x0, 1, semente) % 4);
    q.retangulo(x0 - 1, chao - tronco, x0, chao, tema.medioSombra);
    const int cy = chao - tronco - r + 2;
    for (int y = -r; y <= r; ++y)
        for (int x = -r; x <= r; ++x) {
            if (x * x + y * y > r * r) continue;
            const bool luz = x + y < -r / 2;
            const bool sombra = x + y > r / 2 && pontilhar(x0 + x, cy + y, 0.6);
            q.ponto(x0 + x, cy + y, luz ? tema.medioLuz : sombra ? tema.medioSombra : tema.medioCorpo);
        }
}

void pinheiro(Quadro& q, const Tema& tema, int x0, int chao, uint32_t semente) {
    const int meia = 4 + static_cast<int>(ruido(x0, 0, semente) % 5);
    const int altura = 16 + static_cast<int>(ruido(x0, 1, semente) % 22);
    for (int dx = -meia; dx <= meia; ++dx) {
        const int topo = chao - altura + altura * std::abs(dx) / (meia + 1);
        for (int y = topo; y <= chao; ++y) q.ponto(x0 + dx, y, dx < 0 && y - topo < 2 ? tema.medioLuz : tema.medioCorpo);
    }
}

void casa(Quadro& q, const Tema& tema, int x0, int chao, uint32_t semente) {
    const int largura = 10 + static_cast<int>(ruido(x0, 0, semente) % 8);
    const int altura = 7 + static_cast<int>(ruido(x0, 1, semente) % 5);
    q.retangulo(x0, chao - altura, x0 + largura, chao, tema.medioLuz);
    for (int i = 0; i <= largura / 2 + 1; ++i)
        q.retangulo(x0 - 1 + i, chao - altura - i, x0 + largura + 1 - i, chao - altura - i, tema.telhado);
    for (int j = x0 + 3; j + 1 < x0 + largura; j += 5)
        if (ruido(j, chao, semente) % 3 != 0) q.retangulo(j, chao - altura + 3, j + 1, chao - altura + 4, tema.janela);
}

void colinas(Quadro& q, const Tema& tema) {
    for (int x = 0; x < q.largura(); ++x) {
        const int topo = alturaColina(x);
        for (int y = topo; y < q.altura(); ++y) {
            uint32_t cor = tema.medioCorpo;
            if (y - topo < 2) cor = tema.medioLuz;
            else if (y - topo > 24 && pontilhar(x, y, std::min(1.0, (y - topo - 24) / 50.0)))
                cor = tema.medioSombra;
            q.ponto(x, y, cor);
        }
    }
    // Trees by day; pines and a village with lit windows by night.
    for (int x = 20; x < q.largura(); x += (tema.noite ? 9 : 14) + static_cast<int>(ruido(x, 5, 41) % 50)) {
        if (suave(x, 700, 42) < 0.35) continue;
        const int chao = alturaColina(x) + 2;
        if (!tema.noite)
            arvore(q, tema, x, chao, 44);
        else if (suave(x, 900, 45) > 0.55)
            casa(q, tema, x, chao + 1, 46);
        else
            pinheiro(q, tema, x, chao, 43);
    }
}

}  // namespace

void pintar(Quadro& quadro, const Tema& tema) {
    for (int y = 0; y < quadro.altura(); ++y)
        for (int x = 0; x < quadro.largura(); ++x) quadro.ponto(x, y, corCeu(tema, x, y));

    if (tema.noite) {
        for (int y = 0; y < 320; ++y)
            for (int x = 0; x < quadro.largura(); ++x) {
                const uint32_t h = ruido(x, y, 51);
                if (h % 1300 == 0) quadro.ponto(x, y, h % 3 ? tema.astroLuz : tema.astroSombra);
                if (h % 11000 == 1) {
                    quadro.linha(x - 2, y, x + 2, y, tema.astroSombra);
                    quadro.linha(x, y - 2, x, y + 2, tema.astroSombra);
                    quadro.ponto(x, y, tema.astroLuz);
                }
            }
        // One moon over the start, one over the finish.
        lua(quadro, tema, 200, 150);
        lua(quadro, tema, 16300, 140);
    } else {
        sol(quadro, tema, 200, 120);
        for (int x = 420; x < quadro.largura(); x += 260 + static_cast<int>(ruido(x, 3, 61) % 420))
            nuvem(quadro, tema, x, 95 + static_cast<int>(ruido(x, 4, 61) % 110), 62);
    }
    cordilheiraLonginqua(quadro, tema);
    montanhas(quadro, tema);
    colinas(quadro, tema);
}

}  // namespace Paisagem

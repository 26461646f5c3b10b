#include "niveis/Terreno.h"

#include "niveis/Relevo.h"
#include "niveis/Tema.h"
#include "niveis/Textura.h"

#include "niveis/Pontilhado.h"
#include "niveis/Quadro.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstddef>
#include <vector>

namespace Terreno {
namespace {

using textura::ruido;

constexpr int LONGE = 255;  // distances are counted up to here

// For every solid pixel, how many solid pixels lie between it and free
// space straight up, down, left and right (0: free space is next to it).
// Beyond the picture the ground goes on, so the picture's border is no edge.
struct Distancias {
    int largura, altura;
    std::vector<uint8_t> cima, baixo, esquerda, direita;

    explicit Distancias(const Relevo& r)
        : largura(r.largura()), altura(r.altura()),
          cima(tamanho()), baixo(tamanho()), esquerda(tamanho()), direita(tamanho()) {
        for (int x = 0; x < largura; ++x) {
            contar(r, x, 0, 0, 1, altura, cima);
            contar(r, x, altura - 1, 0, -1, altura, baixo);
        }
        for (int y = 0; y < altura; ++y) {
            contar(r, 0, y, 1, 0, largura, esquerda);
            contar(r, largura - 1, y, -1, 0, largura, direita);
        }
    }

    std::size_t tamanho() const { return static_cast<std::size_t>(largura) * static_cast<std::size_t>(altura); }
    std::size_t indice(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(largura) + static_cast<std::size_t>(x);
    }

    void contar(const Relevo& r, int x, int y, int dx, int dy, int passos, std::vector<uint8_t>& saida) {
        int d = LONGE - 1;
        for (int i = 0; i < passos; ++i, x += dx, y += dy) {
            if (!r.linha(y)[x]) {
                d = -1;
                continue;
            }
            d = std::min(d + 1, LONGE);
            saida[indice(x, y)] = static_cast<uint8_t>(d);
        }
    }
};

// How far grass or crystal reaches into the ground below a surface at `x`.
int franja(int x, uint32_t semente) {
    const uint32_t h = ruido(x / 2, 0, semente);
    return 2 + static_cast<int>(h % 3) + (h % 7 == 0 ? 3 : 0);
}

// Darker with depth, by dithering: the body never turns flat black.
uint32_t escurecer(const Tema& tema, int x, int y, int profundidade, uint32_t cor) {
    if (profundidade > 40 && pontilhar(x, y, std::min(0.5, (profundidade - 40) / 90.0))) return tema.fundo;
    return cor;
}

// Layered earth: wavy strata and scattered pebbles.
uint32_t terra(const Tema& tema, int x, int y) {
    const int onda = static_cast<int>(6.0 * textura::suave(x, 70, 101));
    if ((y + onda) % 19 == 0 && ruido(x / 9, y, 103) % 5 != 0) return tema.corpoSombra;
    const int cx = x / 11, cy = y / 9;
    const uint32_t h = ruido(cx, cy, 102);
    if (h % 2 == 0) {
        const int px = cx * 11 + 2 + static_cast<int>(h % 7), py = cy * 9 + 2 + static_cast<int>((h >> 8) % 5);
        const int dx = x - px, dy = y - py;
        const int r = 2 + static_cast<int>((h >> 16) % 3);
        if (dx * dx * 4 + dy * dy * 9 <= r * r * 4) {
            if (dx + dy <= -2) return tema.enfeite2;
            if (dx + dy >= 2) return tema.rejunte;
            return tema.corpoLuz;
        }
    }
    return tema.corpo;
}

// Cobbled rock: each pixel belongs to the nearest of a jittered grid of
// points; where two are almost as near, mortar.
uint32_t rocha(const Tema& tema, int x, int y) {
    constexpr int L = 22, A = 16;
    const int cx = x / L, cy = y / A;
    // The two nearest by squared distance; only their distances are taken,
    // the costly part. Where two points are as near as rounding can tell
    // apart, the gap is mortar whichever is taken first.
    double q1 = 1e18, q2 = 1e18;
    int dx1 = 0, dy1 = 0, dx2 = 0, dy2 = 0;
    uint32_t dona = 0;
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            const uint32_t h = ruido(i, j, 111);
            const int px = i * L + static_cast<int>(h % L), py = j * A + static_cast<int>((h >> 8) % A);
            const double a = x - px, b = (y - py) * 1.3;
            const double q = a * a + b * b;
            if (q < q1) {
                q2 = q1;
                dx2 = dx1;
                dy2 = dy1;
                q1 = q;
                dx1 = x - px;
                dy1 = y - py;
                dona = h;
            } else if (q < q2) {
                q2 = q;
                dx2 = x - px;
                dy2 = y - py;
            }
        }
    const double d1 = std::hypot(dx1, dy1 * 1.3), d2 = std::hypot(dx2, dy2 * 1.3);
    if (d2 - d1 < 1.7) return tema.rejunte;
    if (d2 - d1 < 3.2 && dx1 + dy1 < 0) return tema.corpoLuz;
    if (d2 - d1 < 3.2) return tema.corpoSombra;
    return (dona >> 20) % 3 == 0 ? tema.corpoSombra : tema.corpo;
}

// Crystals set in the night's rock: small upright shards.
bool cristal(int x, int y, bool& brilho) {
    const int cx = x / 40, cy = y / 30;
    const uint32_t h = ruido(cx, cy, 81);
    if (h % 4 != 0) return false;
    const int ox = cx * 40 + 6 + static_cast<int>(h % 28), oy = cy * 30 + 6 + static_cast<int>((h >> 8) % 18);
    const int dx = std::abs(x - ox), dy = std::abs(y - oy);
    if (dx * 3 + dy > 6) return false;
    brilho = dx == 0 && y < oy;
    return true;
}

}  // namespace

void pintar(Quadro& quadro, const Relevo& relevo, const Tema& tema) {
    const Distancias d(relevo);
    for (int y = 0; y < relevo.altura(); ++y) {
        const uint8_t* linha = relevo.linha(y);
        for (int x = 0; x < relevo.largura(); ++x) {
            if (!linha[x]) continue;
            const std::size_t i = d.indice(x, y);
            const int cima = d.cima[i], baixo = d.baixo[i], esq = d.esquerda[i], dir = d.direita[i];
            if (cima == 0 || baixo == 0 || esq == 0 || dir == 0) {
                quadro.ponto(x, y, tema.borda);
                continue;
            }
            const bool doChao = cima <= baixo;  // nearest surface is the one above
            const int profundidade = std::min(cima, baixo);
            const int franjaAqui = franja(x, doChao ? 91 : 92);
            uint32_t cor;
            if (profundidade <= franjaAqui) {
                cor = tema.bordaSub;
                // A few flowers in the grass by day, sparks in the crystal by night.
                const uint32_t h = ruido(x, doChao ? 1 : 2, 93);
                if (profundidade <= 2 && h % 23 == 0) cor = (h >> 8) % 2 ? tema.enfeite1 : tema.enfeite2;
            } else if (profundidade == franjaAqui + 1) {
                cor = tema.rejunte;
            } else if (esq == 1) {
                cor = tema.corpoLuz;
            } else if (dir == 1) {
                cor = tema.corpoSombra;
            } else {
                bool brilho = false;
                if (tema.solo == Tema::Solo::ROCHA) {
                    cor = rocha(tema, x, y);
                    if (profundidade > 8 && cristal(x, y, brilho)) cor = brilho ? tema.enfeite2 : tema.enfeite1;
                } else {
                    cor = terra(tema, x, y);
                }
                cor = escurecer(tema, x, y, profundidade, cor);
            }
            quadro.ponto(x, y, cor);
        }
    }
}

}  // namespace Terreno

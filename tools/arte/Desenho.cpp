#include "Desenho.h"

#include "niveis/Pontilhado.h"

#include "dados/Paleta.h"

#include <stdexcept>
#include <utility>

namespace desenho {

void degradeVertical(Quadro& q, int x0, int y0, int x1, int y1, const std::vector<Parada>& paradas) {
    if (paradas.empty()) return;
    for (int y = y0; y <= y1; ++y) {
        double p = y1 > y0 ? static_cast<double>(y - y0) / (y1 - y0) : 0.0;
        size_t i = 0;
        while (i + 1 < paradas.size() && paradas[i + 1].posicao <= p) ++i;
        if (i + 1 == paradas.size()) {
            q.retangulo(x0, y, x1, y, paradas[i].cor);
            continue;
        }
        const Parada& a = paradas[i];
        const Parada& b = paradas[i + 1];
        double t = (p - a.posicao) / (b.posicao - a.posicao);
        for (int x = x0; x <= x1; ++x) q.ponto(x, y, pontilhar(x, y, t) ? b.cor : a.cor);
    }
}

void velar(Quadro& q, int x0, int y0, int x1, int y1, uint32_t cor) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if ((x + y) % 2 == 0) q.ponto(x, y, cor);
}

uint32_t corDaLetra(char letra) {
    switch (letra) {
        case '.': return paleta::MASCARA;
        case 'k': return paleta::NOITE;
        case 'p': return paleta::AMEIXA;
        case 'r': return paleta::VINHO;
        case 'o': return paleta::LARANJA;
        case 'y': return paleta::AREIA;
        case 'l': return paleta::LIMA;
        case 'g': return paleta::VERDE;
        case 't': return paleta::PETROLEO;
        case 'n': return paleta::MARINHO;
        case 'b': return paleta::AZUL;
        case 'c': return paleta::CELESTE;
        case 'a': return paleta::CIANO;
        case 'w': return paleta::BRANCO;
        case 's': return paleta::NEVOA;
        case 'd': return paleta::ARDOSIA;
        case 'e': return paleta::GRAFITE;
        default: throw std::invalid_argument(std::string("no colour for letter ") + letra);
    }
}

Quadro deTexto(const std::vector<std::string>& linhas) {
    size_t largura = 0;
    for (const std::string& l : linhas) largura = std::max(largura, l.size());
    Quadro q(static_cast<int>(largura), static_cast<int>(linhas.size()), paleta::MASCARA);
    for (size_t y = 0; y < linhas.size(); ++y)
        for (size_t x = 0; x < linhas[y].size(); ++x)
            q.ponto(static_cast<int>(x), static_cast<int>(y), corDaLetra(linhas[y][x]));
    return q;
}

void contornar(Quadro& q, uint32_t cor) {
    const Quadro antes = q;
    for (int y = 0; y < q.altura(); ++y) {
        for (int x = 0; x < q.largura(); ++x) {
            if (antes.cor(x, y) != paleta::MASCARA) continue;
            auto pintado = [&](int px, int py) {
                uint32_t c = antes.cor(px, py);  // outside reads as mask
                return c != paleta::MASCARA;
            };
            if (pintado(x - 1, y) || pintado(x + 1, y) || pintado(x, y - 1) || pintado(x, y + 1))
                q.ponto(x, y, cor);
        }
    }
}

Quadro ampliar(const Quadro& q, int fator) {
    Quadro r(q.largura() * fator, q.altura() * fator, paleta::MASCARA);
    for (int y = 0; y < q.altura(); ++y)
        for (int x = 0; x < q.largura(); ++x)
            r.retangulo(x * fator, y * fator, x * fator + fator - 1, y * fator + fator - 1, q.cor(x, y));
    return r;
}

Quadro recortar(const Quadro& q, int x, int y, int largura, int altura) {
    Quadro r(largura, altura, paleta::MASCARA);
    for (int ry = 0; ry < altura; ++ry)
        for (int rx = 0; rx < largura; ++rx) r.ponto(rx, ry, q.cor(x + rx, y + ry));
    return r;
}

Quadro espelharVertical(const Quadro& q) {
    Quadro r(q.largura(), q.altura(), paleta::MASCARA);
    for (int y = 0; y < q.altura(); ++y)
        for (int x = 0; x < q.largura(); ++x) r.ponto(x, q.altura() - 1 - y, q.cor(x, y));
    return r;
}

Quadro girar(const Quadro& q, int vezes) {
    vezes = ((vezes % 4) + 4) % 4;
    Quadro r = q;
    for (int i = 0; i < vezes; ++i) {
        Quadro g(r.altura(), r.largura(), paleta::MASCARA);
        // Clockwise: the left column becomes the top row.
        for (int y = 0; y < r.altura(); ++y)
            for (int x = 0; x < r.largura(); ++x) g.ponto(r.altura() - 1 - y, x, r.cor(x, y));
        r = g;
    }
    return r;
}

void trocarCores(Quadro& q, const std::vector<std::pair<uint32_t, uint32_t>>& trocas) {
    for (int y = 0; y < q.altura(); ++y) {
        for (int x = 0; x < q.largura(); ++x) {
            uint32_t c = q.cor(x, y);
            for (const auto& [de, para] : trocas) {
                if (c == de) {
                    q.ponto(x, y, para);
                    break;
                }
            }
        }
    }
}

int escreverSombreado(Quadro& q, int x, int y, const std::string& texto, uint32_t cor,
                      uint32_t sombra, int escala) {
    q.escrever(x + escala, y + escala, texto, sombra, escala);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) q.escrever(x + dx, y + dy, texto, sombra, escala);
    return q.escrever(x, y, texto, cor, escala);
}

int escreverCentrado(Quadro& q, int cx, int y, const std::string& texto, uint32_t cor,
                     uint32_t contorno, int escala) {
    int x = cx - Quadro::larguraTexto(texto, escala) / 2;
    q.escreverContornado(x, y, texto, cor, contorno, escala);
    return x;
}

void painel(Quadro& q, int x0, int y0, int x1, int y1, uint32_t corpo, uint32_t luz,
            uint32_t sombra) {
    q.retangulo(x0, y0, x1, y1, paleta::NOITE);
    q.retangulo(x0 + 2, y0 + 2, x1 - 2, y1 - 2, corpo);
    q.retangulo(x0 + 2, y0 + 2, x1 - 2, y0 + 2, luz);
    q.retangulo(x0 + 2, y0 + 2, x0 + 2, y1 - 2, luz);
    q.retangulo(x0 + 3, y1 - 2, x1 - 2, y1 - 2, sombra);
    q.retangulo(x1 - 2, y0 + 3, x1 - 2, y1 - 2, sombra);
}

uint32_t Sorteio::proximo() {
    // xorshift32
    estado_ ^= estado_ << 13;
    estado_ ^= estado_ >> 17;
    estado_ ^= estado_ << 5;
    return estado_;
}

int Sorteio::entre(int minimo, int maximo) {
    return minimo + static_cast<int>(proximo() % static_cast<uint32_t>(maximo - minimo + 1));
}

}  // namespace desenho

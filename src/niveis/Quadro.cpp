#include "niveis/Quadro.h"

#include "dados/Arquivo.h"
#include "dados/Fonte.h"
#include "dados/Paleta.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace {

// A level's picture is 35 MB of fresh memory: in huge pages the system
// gives it several times faster than 4 KB at a time. Asks for them over
// the huge pages wholly inside [inicio, inicio + bytes); a hint: refused,
// or partly, is fine.
void pedirPaginasGrandes(const void* inicio, size_t bytes) {
    constexpr uintptr_t PAGINA_GRANDE = 2u << 20;
    const auto i = reinterpret_cast<uintptr_t>(inicio);
    const uintptr_t de = (i + PAGINA_GRANDE - 1) & ~(PAGINA_GRANDE - 1);
    const uintptr_t ate = (i + bytes) & ~(PAGINA_GRANDE - 1);
    if (ate > de) madvise(reinterpret_cast<void*>(de), ate - de, MADV_HUGEPAGE);
}

}  // namespace

Quadro::Quadro(int largura, int altura, uint32_t fundo) : largura_(largura), altura_(altura) {
    const size_t n = static_cast<size_t>(largura) * static_cast<size_t>(altura);
    pixels_.reserve(n);
    pedirPaginasGrandes(pixels_.data(), n * sizeof(uint32_t));
    pixels_.assign(n, fundo);
}

void Quadro::ponto(int x, int y, uint32_t cor) {
    if (x < 0 || y < 0 || x >= largura_ || y >= altura_) return;
    pixels_[static_cast<size_t>(y) * static_cast<size_t>(largura_) + static_cast<size_t>(x)] = cor;
}

uint32_t Quadro::cor(int x, int y) const {
    if (x < 0 || y < 0 || x >= largura_ || y >= altura_) return paleta::MASCARA;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(largura_) + static_cast<size_t>(x)];
}

void Quadro::retangulo(int x0, int y0, int x1, int y1, uint32_t cor) {
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, largura_ - 1);
    y1 = std::min(y1, altura_ - 1);
    if (x0 > x1 || y0 > y1) return;  // wholly outside the picture
    for (int y = y0; y <= y1; ++y) {
        uint32_t* linha = &pixels_[static_cast<size_t>(y) * static_cast<size_t>(largura_)];
        std::fill(linha + x0, linha + x1 + 1, cor);
    }
}

void Quadro::moldura(int x0, int y0, int x1, int y1, uint32_t cor) {
    retangulo(x0, y0, x1, y0, cor);
    retangulo(x0, y1, x1, y1, cor);
    retangulo(x0, y0, x0, y1, cor);
    retangulo(x1, y0, x1, y1, cor);
}

void Quadro::linha(int x0, int y0, int x1, int y1, uint32_t cor) {
    // Bresenham, both ends included.
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int erro = dx + dy;
    for (;;) {
        ponto(x0, y0, cor);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * erro;
        if (e2 >= dy) { erro += dy; x0 += sx; }
        if (e2 <= dx) { erro += dx; y0 += sy; }
    }
}

void Quadro::copiar(const Quadro& origem, int x, int y, bool mascarado) {
    for (int oy = 0; oy < origem.altura_; ++oy) {
        for (int ox = 0; ox < origem.largura_; ++ox) {
            uint32_t c = origem.cor(ox, oy);
            if (mascarado && c == paleta::MASCARA) continue;
            ponto(x + ox, y + oy, c);
        }
    }
}

int Quadro::escrever(int x, int y, const std::string& texto, uint32_t cor, int escala) {
    int cx = x;
    for (char c : texto) {
        const uint8_t* g = fonte::glifo(c);
        for (int linha = 0; linha < fonte::ALTURA; ++linha) {
            for (int coluna = 0; coluna < fonte::LARGURA; ++coluna) {
                if (g[linha] & (0x10 >> coluna)) {
                    retangulo(cx + coluna * escala, y + linha * escala,
                              cx + (coluna + 1) * escala - 1, y + (linha + 1) * escala - 1, cor);
                }
            }
        }
        cx += fonte::AVANCO * escala;
    }
    return larguraTexto(texto, escala);
}

int Quadro::escreverContornado(int x, int y, const std::string& texto, uint32_t cor,
                               uint32_t contorno, int escala) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) escrever(x + dx * escala, y + dy * escala, texto, contorno, escala);
    return escrever(x, y, texto, cor, escala);
}

int Quadro::larguraTexto(const std::string& texto, int escala) {
    if (texto.empty()) return 0;
    return (static_cast<int>(texto.size()) * fonte::AVANCO - 1) * escala;
}

namespace {

void escreverU16(std::vector<uint8_t>& v, uint32_t n) {
    v.push_back(static_cast<uint8_t>(n));
    v.push_back(static_cast<uint8_t>(n >> 8));
}

void escreverU32(std::vector<uint8_t>& v, uint32_t n) {
    escreverU16(v, n & 0xFFFF);
    escreverU16(v, n >> 16);
}


}  // namespace

std::vector<uint8_t> Quadro::bmp() const {
    // Index the colours; a run of equal pixels is the common case, so the
    // last colour seen is checked before the table.
    std::unordered_map<uint32_t, uint8_t> indices;
    std::vector<uint32_t> cores;
    bool paletado = true;
    uint32_t ultima = 0;
    bool temUltima = false;
    for (uint32_t c : pixels_) {
        if (temUltima && c == ultima) continue;
        auto it = indices.find(c);
        if (it == indices.end()) {
            if (cores.size() == 256) {
                paletado = false;
                break;
            }
            it = indices.emplace(c, static_cast<uint8_t>(cores.size())).first;
            cores.push_back(c);
        }
        ultima = c;
        temUltima = true;
    }

    const uint32_t bytesPorPixel = paletado ? 1 : 3;
    const uint32_t linhaBytes = (static_cast<uint32_t>(largura_) * bytesPorPixel + 3) & ~3u;
    const uint32_t tamanhoPaleta = paletado ? static_cast<uint32_t>(cores.size()) * 4 : 0;
    const uint32_t inicioPixels = 14 + 40 + tamanhoPaleta;
    const uint32_t tamanhoPixels = linhaBytes * static_cast<uint32_t>(altura_);

    std::vector<uint8_t> dados;
    dados.reserve(inicioPixels + tamanhoPixels);
    pedirPaginasGrandes(dados.data(), inicioPixels + tamanhoPixels);
    dados.push_back('B');
    dados.push_back('M');
    escreverU32(dados, inicioPixels + tamanhoPixels);
    escreverU32(dados, 0);
    escreverU32(dados, inicioPixels);
    escreverU32(dados, 40);
    escreverU32(dados, static_cast<uint32_t>(largura_));
    escreverU32(dados, static_cast<uint32_t>(altura_));  // positive: rows stored bottom-up
    escreverU16(dados, 1);
    escreverU16(dados, paletado ? 8 : 24);
    escreverU32(dados, 0);  // no compression
    escreverU32(dados, tamanhoPixels);
    escreverU32(dados, 2835);
    escreverU32(dados, 2835);
    escreverU32(dados, paletado ? static_cast<uint32_t>(cores.size()) : 0);
    escreverU32(dados, 0);
    if (paletado) {
        for (uint32_t c : cores) {
            dados.push_back(static_cast<uint8_t>(c));
            dados.push_back(static_cast<uint8_t>(c >> 8));
            dados.push_back(static_cast<uint8_t>(c >> 16));
            dados.push_back(0);
        }
    }
    // Rows bottom-up, each padded to four bytes.
    const size_t cabecalho = dados.size();
    dados.resize(cabecalho + tamanhoPixels, 0);
    temUltima = false;
    uint8_t ultimoIndice = 0;
    for (int y = altura_ - 1; y >= 0; --y) {
        const uint32_t* linha = &pixels_[static_cast<size_t>(y) * static_cast<size_t>(largura_)];
        uint8_t* saida = &dados[cabecalho + static_cast<size_t>(altura_ - 1 - y) * linhaBytes];
        for (int x = 0; x < largura_; ++x) {
            const uint32_t c = linha[x];
            if (paletado) {
                if (!(temUltima && c == ultima)) {
                    ultima = c;
                    ultimoIndice = indices.at(c);
                    temUltima = true;
                }
                *saida++ = ultimoIndice;
            } else {
                *saida++ = static_cast<uint8_t>(c);
                *saida++ = static_cast<uint8_t>(c >> 8);
                *saida++ = static_cast<uint8_t>(c >> 16);
            }
        }
    }
    return dados;
}

bool Quadro::salvarBmp(const std::string& caminho) const {
    const std::vector<uint8_t> dados = bmp();
    recursos::Arquivo f = recursos::abrir(caminho, "wb");
    if (!f) return false;
    return std::fwrite(dados.data(), 1, dados.size(), f.get()) == dados.size();
}

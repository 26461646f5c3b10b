#include "classesBasicas/FigurasNivel.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// A picture as kept: each pixel an index into its own colours, packed
// `bits` to a byte from the high bits down, each row starting on a byte.
struct Guardada {
    std::string caminho;
    int largura = 0;
    int altura = 0;
    int bits = 8;                 // 1, 2, 4 or 8
    size_t bytesPorLinha = 0;
    std::vector<uint32_t> cores;  // 32-bit colour of each index
    std::vector<uint8_t> pixels;  // rows top-down
};

// The pictures of the level being played.
std::vector<std::unique_ptr<Guardada>> guardadas;

uint32_t lerU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

struct FecharArquivo {
    void operator()(FILE* f) const { std::fclose(f); }
};

bool lerArquivo(const std::string& caminho, std::vector<uint8_t>& dados) {
    std::unique_ptr<FILE, FecharArquivo> f(std::fopen(caminho.c_str(), "rb"));
    if (!f || std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    const long tamanho = std::ftell(f.get());
    if (tamanho < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;
    dados.resize(static_cast<size_t>(tamanho));
    return std::fread(dados.data(), 1, dados.size(), f.get()) == dados.size();
}

// The picture of a plain 8-bit BMP with a Windows header, whose pixels all
// name colours of its palette; null for anything else, which Allegro reads.
// The file has passed Imagem's checks: the header is sane and the pixels
// are all there.
std::unique_ptr<Guardada> lerBmp8(const std::string& caminho) {
    constexpr size_t CABECALHO = 14, INFO = 40;
    std::vector<uint8_t> dados;
    if (!lerArquivo(caminho, dados) || dados.size() < CABECALHO + INFO) return nullptr;
    const uint8_t* h = dados.data();
    const uint32_t inicio = lerU32(h + 10);
    const int largura = static_cast<int>(lerU32(h + 18));
    const int altura = static_cast<int>(lerU32(h + 22));
    const int bitsArquivo = h[28] | h[29] << 8;
    uint32_t numCores = lerU32(h + 46);
    if (lerU32(h + 14) != INFO || bitsArquivo != 8 || lerU32(h + 30) != 0) return nullptr;
    if (numCores == 0) numCores = 256;
    const size_t passo = (static_cast<size_t>(largura) + 3) / 4 * 4;
    if (inicio + passo * static_cast<size_t>(altura) > dados.size()) return nullptr;

    // Which palette entries are used, renumbered densely.
    bool usada[256] = {};
    for (int y = 0; y < altura; ++y) {
        const uint8_t* linha = h + inicio + passo * static_cast<size_t>(y);
        for (int x = 0; x < largura; ++x) usada[linha[x]] = true;
    }
    auto g = std::make_unique<Guardada>();
    uint8_t novo[256] = {};
    for (uint32_t i = 0; i < 256; ++i) {
        if (!usada[i]) continue;
        // An index past the palette: Allegro's colour for it is its own
        // business.
        if (i >= numCores) return nullptr;
        // Allegro keeps a palette in 6 bits a channel and widens it back.
        const uint8_t* c = h + CABECALHO + INFO + 4 * i;
        novo[i] = static_cast<uint8_t>(g->cores.size());
        g->cores.push_back(static_cast<uint32_t>(
            makecol32(_rgb_scale_6[c[2] >> 2], _rgb_scale_6[c[1] >> 2], _rgb_scale_6[c[0] >> 2])));
    }
    const size_t n = g->cores.size();
    g->bits = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
    g->caminho = caminho;
    g->largura = largura;
    g->altura = altura;
    const int porByte = 8 / g->bits;
    g->bytesPorLinha = (static_cast<size_t>(largura) + porByte - 1) / porByte;
    g->pixels.assign(g->bytesPorLinha * static_cast<size_t>(altura), 0);
    for (int y = 0; y < altura; ++y) {
        // BMP rows are stored bottom-up.
        const uint8_t* origem = h + inicio + passo * static_cast<size_t>(altura - 1 - y);
        uint8_t* destino = &g->pixels[g->bytesPorLinha * static_cast<size_t>(y)];
        unsigned byte = 0;
        int deslocamento = 8 - g->bits;
        for (int x = 0; x < largura; ++x) {
            byte |= static_cast<unsigned>(novo[origem[x]]) << deslocamento;
            if (deslocamento == 0) {
                *destino++ = static_cast<uint8_t>(byte);
                byte = 0;
                deslocamento = 8 - g->bits;
            } else {
                deslocamento -= g->bits;
            }
        }
        if (deslocamento != 8 - g->bits) *destino = static_cast<uint8_t>(byte);
    }
    return g;
}

// A new 32-bit bitmap of a kept picture: each packed byte becomes its
// pixels through a table of all 256 byte values.
BITMAP* alargar(const Guardada& g) {
    BITMAP* bitmap = create_bitmap_ex(32, g.largura, g.altura);
    if (!bitmap) return nullptr;
    const int porByte = 8 / g.bits;
    const uint32_t mascara = (1u << g.bits) - 1;
    std::vector<uint32_t> tabela(256 * static_cast<size_t>(porByte));
    for (uint32_t v = 0; v < 256; ++v) {
        for (int k = 0; k < porByte; ++k) {
            const uint32_t indice = v >> (8 - g.bits * (k + 1)) & mascara;
            tabela[v * porByte + k] = indice < g.cores.size() ? g.cores[indice] : 0;
        }
    }
    const int inteiros = g.largura / porByte;  // bytes whose pixels are all in the row
    const int resto = g.largura % porByte;
    const size_t bytesPorByte = sizeof(uint32_t) * static_cast<size_t>(porByte);
    for (int y = 0; y < g.altura; ++y) {
        const uint8_t* origem = &g.pixels[g.bytesPorLinha * static_cast<size_t>(y)];
        auto* destino = reinterpret_cast<uint32_t*>(bitmap->line[y]);
        for (int i = 0; i < inteiros; ++i, destino += porByte)
            std::memcpy(destino, &tabela[origem[i] * static_cast<size_t>(porByte)], bytesPorByte);
        if (resto) std::memcpy(destino, &tabela[origem[inteiros] * static_cast<size_t>(porByte)],
                               sizeof(uint32_t) * static_cast<size_t>(resto));
    }
    return bitmap;
}

}  // namespace

BITMAP* FigurasNivel::criar(const std::string& caminho) {
    for (const auto& g : guardadas)
        if (g->caminho == caminho) return alargar(*g);
    if (!Imagem::isBmpIntegro(caminho)) return nullptr;
    // Kept pictures widen to 32 bits: the depth the game draws in.
    if (get_color_depth() == 32) {
        if (std::unique_ptr<Guardada> g = lerBmp8(caminho)) {
            guardadas.push_back(std::move(g));
            return alargar(*guardadas.back());
        }
    }
    return Imagem::carregar(caminho);
}

void FigurasNivel::manterApenas(const std::string& visual, const std::string& colisao) {
    for (size_t i = guardadas.size(); i-- > 0;)
        if (guardadas[i]->caminho != visual && guardadas[i]->caminho != colisao)
            guardadas.erase(guardadas.begin() + static_cast<long>(i));
}

void FigurasNivel::liberar() { guardadas.clear(); }

size_t FigurasNivel::bytesGuardados() {
    size_t total = 0;
    for (const auto& g : guardadas) total += g->pixels.size() + g->cores.size() * sizeof(uint32_t);
    return total;
}

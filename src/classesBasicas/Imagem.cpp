#include "classesBasicas/Imagem.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

struct FecharArquivo {
    void operator()(FILE* f) const { std::fclose(f); }
};

uint32_t lerU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t lerU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;

}  // namespace

bool Imagem::isBmpIntegro(const std::string& caminho) {
    std::unique_ptr<FILE, FecharArquivo> f(std::fopen(caminho.c_str(), "rb"));
    if (!f) return false;
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    long tamanhoArquivo = std::ftell(f.get());
    if (tamanhoArquivo < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;

    unsigned char cabecalho[54] = {};
    size_t lidos = std::fread(cabecalho, 1, sizeof cabecalho, f.get());
    if (lidos < 26 || cabecalho[0] != 'B' || cabecalho[1] != 'M') return false;

    uint32_t inicioPixels = lerU32(cabecalho + 10);
    uint32_t tamanhoInfo = lerU32(cabecalho + 14);
    long long largura, altura;
    int bits;
    uint32_t compressao = BI_RGB;
    if (tamanhoInfo == 12) {  // OS/2 header: 16-bit sizes
        largura = lerU16(cabecalho + 18);
        altura = lerU16(cabecalho + 20);
        bits = lerU16(cabecalho + 24);
    } else if (tamanhoInfo >= 40 && tamanhoInfo <= 124) {
        if (lidos < 54) return false;
        largura = static_cast<int32_t>(lerU32(cabecalho + 18));
        altura = static_cast<int32_t>(lerU32(cabecalho + 22));
        bits = lerU16(cabecalho + 28);
        compressao = lerU32(cabecalho + 30);
    } else {
        return false;
    }

    // Top-down pictures (negative height) are left out along with everything
    // else the game's pictures never use.
    if (largura <= 0 || altura <= 0 || largura > LADO_MAXIMO || altura > LADO_MAXIMO) return false;
    if (largura * altura > PIXELS_MAXIMOS) return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    bool bitfields = compressao == BI_BITFIELDS && (bits == 16 || bits == 32);
    if (compressao != BI_RGB && !bitfields) return false;

    long long bytesPorLinha = ((largura * bits + 31) / 32) * 4;
    long long fimPixels = static_cast<long long>(inicioPixels) + bytesPorLinha * altura;
    if (inicioPixels < 14 + tamanhoInfo) return false;
    return fimPixels <= tamanhoArquivo;
}

BITMAP* Imagem::carregar(const std::string& caminho) {
    if (!isBmpIntegro(caminho)) return nullptr;
    return load_bitmap(caminho.c_str(), nullptr);
}

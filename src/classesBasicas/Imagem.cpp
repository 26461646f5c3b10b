#include "classesBasicas/Imagem.h"

#include "classesBasicas/Recursos.h"
#include "dados/Bytes.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>

namespace {

using bytes::lerLe16;
using bytes::lerLe32;

// The two headers Allegro reads; it refuses the later Windows ones.
constexpr uint32_t INFO_OS2 = Imagem::INFO_OS2;
constexpr uint32_t INFO_WINDOWS = Imagem::INFO_WINDOWS;
constexpr uint32_t CABECALHO_ARQUIVO = Imagem::CABECALHO_ARQUIVO;
constexpr uint32_t MASCARAS = 12;  // red, green, blue after a Windows header
constexpr uint32_t BI_RGB = Imagem::BI_RGB;
constexpr uint32_t BI_RLE8 = Imagem::BI_RLE8;
constexpr uint32_t BI_RLE4 = Imagem::BI_RLE4;
constexpr uint32_t BI_BITFIELDS = Imagem::BI_BITFIELDS;

bool isBitsConhecido(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Allegro knows three sets of masks and reads green by the red and blue
// ones alone, so any other set comes out in the wrong colours.
bool isMascaraConhecida(const unsigned char* m, int bits) {
    const uint32_t r = lerLe32(m), g = lerLe32(m + 4), b = lerLe32(m + 8);
    if (bits == 16) return b == 0x1F && ((r == 0x7C00 && g == 0x3E0) || (r == 0xF800 && g == 0x7E0));
    return bits == 32 && r == 0xFF0000 && g == 0xFF00 && b == 0xFF;
}

// A file read forwards in blocks; reading past its end fails.
class Leitor {
public:
    explicit Leitor(FILE* f) : f_(f) {}

    bool byte(int& b) {
        if (pos_ == fim_) {
            fim_ = std::fread(bloco_, 1, sizeof bloco_, f_);
            pos_ = 0;
            if (fim_ == 0) return false;
        }
        b = bloco_[pos_++];
        return true;
    }

    bool pular(long n) {
        for (int b; n > 0; --n)
            if (!byte(b)) return false;
        return true;
    }

private:
    FILE* f_;
    unsigned char bloco_[16384];
    size_t pos_ = 0;
    size_t fim_ = 0;
};

// Walks a run-length stream as Allegro decodes it, from the bottom row up.
// Allegro checks nothing: a run past the end of a row writes past the
// bitmap, and a stream cut short is read on as 0xFF bytes without end. So
// every run must stay in its row, every move in the picture, and the stream
// must end (end of picture, or the end of the top row) inside the file.
bool isRleIntegro(Leitor& in, long long largura, long long altura, bool quatroBits) {
    long long x = 0;
    long long linha = altura - 1;
    for (;;) {
        int n, v;
        if (!in.byte(n) || !in.byte(v)) return false;
        if (n > 0) {  // n pixels from one byte
            if (x + n > largura) return false;
            x += n;
        } else if (v == 0) {  // end of row
            x = 0;
            if (--linha < 0) return true;
        } else if (v == 1) {  // end of picture
            return true;
        } else if (v == 2) {  // skip right and up
            int dx, dy;
            if (!in.byte(dx) || !in.byte(dy)) return false;
            x += dx;
            linha -= dy;
            if (x > largura || linha < 0) return false;
        } else {  // v pixels stored as they are, padded to two bytes
            if (x + v > largura) return false;
            if (!in.pular(quatroBits ? (v + 3) / 4 * 2 : v + (v & 1))) return false;
            x += v;
        }
    }
}

}  // namespace

std::optional<Imagem::Cabecalho> Imagem::lerCabecalho(const unsigned char* bytes, std::size_t lidos) {
    if (lidos < CABECALHO_ARQUIVO + INFO_OS2 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    Cabecalho c;
    c.inicioPixels = lerLe32(bytes + 10);
    c.tamanhoInfo = lerLe32(bytes + 14);
    c.compressao = BI_RGB;
    if (c.tamanhoInfo == INFO_OS2) {  // 16-bit sizes, three-byte palette entries
        c.largura = lerLe16(bytes + 18);
        c.altura = lerLe16(bytes + 20);
        c.bits = lerLe16(bytes + 24);
        if (!isBitsConhecido(c.bits)) return std::nullopt;
        c.cores = c.bits <= 8 ? 1 << c.bits : 0;
        c.bytesPorCor = 3;
    } else if (c.tamanhoInfo == INFO_WINDOWS) {
        if (lidos < CABECALHO_ARQUIVO + INFO_WINDOWS) return std::nullopt;
        c.largura = static_cast<int32_t>(lerLe32(bytes + 18));
        c.altura = static_cast<int32_t>(lerLe32(bytes + 22));
        c.bits = lerLe16(bytes + 28);
        c.compressao = lerLe32(bytes + 30);
        if (!isBitsConhecido(c.bits)) return std::nullopt;
        c.cores = lerLe32(bytes + 46);
        if (c.cores > (c.bits <= 8 ? 1 << c.bits : 256)) return std::nullopt;
        if (c.cores == 0 && c.bits <= 8) c.cores = 1 << c.bits;
        c.bytesPorCor = 4;
    } else {
        return std::nullopt;
    }
    return c;
}

bool Imagem::isBmpIntegro(const std::string& caminho) {
    recursos::Arquivo f = recursos::abrir(caminho, "rb");
    if (!f) return false;
    if (std::fseek(f.get(), 0, SEEK_END) != 0) return false;
    long tamanhoArquivo = std::ftell(f.get());
    if (tamanhoArquivo < 0 || std::fseek(f.get(), 0, SEEK_SET) != 0) return false;

    unsigned char cabecalho[CABECALHO_ARQUIVO + INFO_WINDOWS + MASCARAS] = {};
    size_t lidos = std::fread(cabecalho, 1, sizeof cabecalho, f.get());
    const std::optional<Cabecalho> c = lerCabecalho(cabecalho, lidos);
    if (!c) return false;
    const uint32_t inicioPixels = c->inicioPixels, tamanhoInfo = c->tamanhoInfo, compressao = c->compressao;
    const long long largura = c->largura, altura = c->altura, cores = c->cores;
    const int bits = c->bits, bytesPorCor = c->bytesPorCor;

    // Allegro refuses top-down pictures (negative height).
    if (largura <= 0 || altura <= 0 || largura > LADO_MAXIMO || altura > LADO_MAXIMO) return false;
    if (largura * altura > PIXELS_MAXIMOS) return false;

    long long inicioMinimo = CABECALHO_ARQUIVO + tamanhoInfo + cores * bytesPorCor;
    if (compressao == BI_BITFIELDS) {
        const unsigned char* mascaras = cabecalho + CABECALHO_ARQUIVO + INFO_WINDOWS;
        if (lidos < sizeof cabecalho || !isMascaraConhecida(mascaras, bits)) return false;
        // Allegro reads the pixels right after the masks, wherever the
        // header says they start.
        inicioMinimo += MASCARAS;
        if (inicioPixels != CABECALHO_ARQUIVO + INFO_WINDOWS + MASCARAS) return false;
    } else if (compressao == BI_RLE8 || compressao == BI_RLE4) {
        if (bits != (compressao == BI_RLE8 ? 8 : 4)) return false;
    } else if (compressao != BI_RGB) {
        return false;
    }
    // Pixels that start inside the palette are read from its colours.
    if (inicioPixels < inicioMinimo) return false;

    if (compressao == BI_RLE8 || compressao == BI_RLE4) {
        if (inicioPixels > tamanhoArquivo || std::fseek(f.get(), inicioPixels, SEEK_SET) != 0) return false;
        Leitor leitor(f.get());
        return isRleIntegro(leitor, largura, altura, compressao == BI_RLE4);
    }
    long long bytesPorLinha = ((largura * bits + 31) / 32) * 4;
    return static_cast<long long>(inicioPixels) + bytesPorLinha * altura <= tamanhoArquivo;
}

BITMAP* Imagem::carregar(const std::string& caminho) {
    if (!isBmpIntegro(caminho)) return nullptr;
    return load_bitmap(caminho.c_str(), nullptr);
}

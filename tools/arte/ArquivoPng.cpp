#include "ArquivoPng.h"

#include "dados/Paleta.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void u32(Bytes& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<uint8_t>(v >> s));
}

uint32_t crc32(const uint8_t* dados, size_t n) {
    static const std::array<uint32_t, 256> TABELA = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) c = TABELA[(c ^ dados[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void bloco(Bytes& arquivo, const char tipo[5], const Bytes& dados) {
    u32(arquivo, static_cast<uint32_t>(dados.size()));
    const size_t inicio = arquivo.size();
    arquivo.insert(arquivo.end(), tipo, tipo + 4);
    arquivo.insert(arquivo.end(), dados.begin(), dados.end());
    u32(arquivo, crc32(arquivo.data() + inicio, arquivo.size() - inicio));
}

// A zlib stream of "stored" deflate blocks (no compression).
Bytes zlibGuardado(const Bytes& cru) {
    Bytes z = {0x78, 0x01};
    constexpr size_t MAXIMO = 65535;
    size_t i = 0;
    do {
        const size_t n = std::min(MAXIMO, cru.size() - i);
        const bool ultimo = i + n == cru.size();
        z.push_back(ultimo ? 1 : 0);
        z.push_back(static_cast<uint8_t>(n));
        z.push_back(static_cast<uint8_t>(n >> 8));
        z.push_back(static_cast<uint8_t>(~n));
        z.push_back(static_cast<uint8_t>(~n >> 8));
        z.insert(z.end(), cru.begin() + static_cast<long>(i), cru.begin() + static_cast<long>(i + n));
        i += n;
    } while (i < cru.size());
    uint32_t a = 1, b = 0;
    for (uint8_t c : cru) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    u32(z, b << 16 | a);
    return z;
}

}  // namespace

bool salvarPng(const Quadro& q, const std::string& caminho) {
    Bytes cabecalho;
    u32(cabecalho, static_cast<uint32_t>(q.largura()));
    u32(cabecalho, static_cast<uint32_t>(q.altura()));
    cabecalho.insert(cabecalho.end(), {8, 6, 0, 0, 0});  // 8 bits a channel, RGBA

    Bytes cru;
    for (int y = 0; y < q.altura(); ++y) {
        cru.push_back(0);  // no filter
        for (int x = 0; x < q.largura(); ++x) {
            const uint32_t c = q.cor(x, y);
            const bool transparente = c == paleta::MASCARA;
            cru.insert(cru.end(), {static_cast<uint8_t>(transparente ? 0 : c >> 16),
                                   static_cast<uint8_t>(transparente ? 0 : c >> 8),
                                   static_cast<uint8_t>(transparente ? 0 : c),
                                   static_cast<uint8_t>(transparente ? 0 : 255)});
        }
    }

    Bytes arquivo = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    bloco(arquivo, "IHDR", cabecalho);
    bloco(arquivo, "IDAT", zlibGuardado(cru));
    bloco(arquivo, "IEND", {});
    std::ofstream f(caminho, std::ios::binary);
    f.write(reinterpret_cast<const char*>(arquivo.data()), static_cast<std::streamsize>(arquivo.size()));
    return static_cast<bool>(f);
}

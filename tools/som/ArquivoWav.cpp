#include "ArquivoWav.h"

#include "dados/Arquivo.h"

namespace {

void u32(std::vector<uint8_t>& v, uint32_t n) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(n >> (8 * i)));
}

void u16(std::vector<uint8_t>& v, uint32_t n) {
    v.push_back(static_cast<uint8_t>(n));
    v.push_back(static_cast<uint8_t>(n >> 8));
}

void marca(std::vector<uint8_t>& v, const char* quatro) { v.insert(v.end(), quatro, quatro + 4); }

}  // namespace

bool salvarWav(const std::string& caminho, const std::vector<int16_t>& amostras, int frequencia) {
    const uint32_t dados = static_cast<uint32_t>(amostras.size() * 2);
    std::vector<uint8_t> arquivo;
    marca(arquivo, "RIFF");
    u32(arquivo, 36 + dados);
    marca(arquivo, "WAVE");
    marca(arquivo, "fmt ");
    u32(arquivo, 16);
    u16(arquivo, 1);  // PCM
    u16(arquivo, 1);  // mono
    u32(arquivo, static_cast<uint32_t>(frequencia));
    u32(arquivo, static_cast<uint32_t>(frequencia) * 2);  // bytes a second
    u16(arquivo, 2);                                      // bytes a frame
    u16(arquivo, 16);
    marca(arquivo, "data");
    u32(arquivo, dados);
    for (int16_t a : amostras) u16(arquivo, static_cast<uint16_t>(a));

    recursos::Arquivo f = recursos::abrir(caminho, "wb");
    if (!f) return false;
    const bool escrito = std::fwrite(arquivo.data(), 1, arquivo.size(), f.get()) == arquivo.size();
    return std::fclose(f.release()) == 0 && escrito;
}

#include "ArquivoMidi.h"

#include "dados/Arquivo.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

void escreverVariavel(std::vector<uint8_t>& v, uint32_t n) {
    uint8_t bytes[5];
    int i = 0;
    bytes[i++] = n & 0x7F;
    while (n >>= 7) bytes[i++] = static_cast<uint8_t>((n & 0x7F) | 0x80);
    while (i > 0) v.push_back(bytes[--i]);
}

void escreverU32(std::vector<uint8_t>& v, uint32_t n) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(n >> s));
}

void escreverU16(std::vector<uint8_t>& v, uint32_t n) {
    v.push_back(static_cast<uint8_t>(n >> 8));
    v.push_back(static_cast<uint8_t>(n));
}

void pedaco(std::vector<uint8_t>& arquivo, const char* tipo, const std::vector<uint8_t>& corpo) {
    arquivo.insert(arquivo.end(), tipo, tipo + 4);
    escreverU32(arquivo, static_cast<uint32_t>(corpo.size()));
    arquivo.insert(arquivo.end(), corpo.begin(), corpo.end());
}

uint8_t byte7(int n) { return static_cast<uint8_t>(std::clamp(n, 0, 127)); }


}  // namespace

ArquivoMidi::ArquivoMidi(int bpm) : bpm_(bpm) {}

std::vector<ArquivoMidi::Evento>& ArquivoMidi::trilha(int canal) {
    if (canal < 0 || canal > 15) throw std::invalid_argument("MIDI channel out of range");
    auto it = std::find(canais_.begin(), canais_.end(), canal);
    if (it != canais_.end()) return trilhas_[static_cast<size_t>(it - canais_.begin())];
    canais_.push_back(canal);
    trilhas_.emplace_back();
    return trilhas_.back();
}

void ArquivoMidi::instrumento(int canal, int programa, int volume, int pan) {
    auto& t = trilha(canal);
    const uint8_t c = static_cast<uint8_t>(canal);
    t.push_back({0, 0, {static_cast<uint8_t>(0xC0 | c), byte7(programa)}});
    t.push_back({0, 0, {static_cast<uint8_t>(0xB0 | c), 7, byte7(volume)}});
    t.push_back({0, 0, {static_cast<uint8_t>(0xB0 | c), 10, byte7(pan)}});
}

void ArquivoMidi::nota(int canal, long tick, long duracao, int altura, int velocidade) {
    if (tick < 0 || duracao <= 0) throw std::invalid_argument("note outside the piece");
    auto& t = trilha(canal);
    const uint8_t c = static_cast<uint8_t>(canal);
    t.push_back({tick, 2, {static_cast<uint8_t>(0x90 | c), byte7(altura), byte7(std::max(1, velocidade))}});
    // A note-on of velocity 0 is the usual note-off.
    t.push_back({tick + duracao, 1, {static_cast<uint8_t>(0x90 | c), byte7(altura), 0}});
    fim_ = std::max(fim_, tick + duracao);
}

void ArquivoMidi::terminarEm(long tick) {
    if (tick < fim_) throw std::logic_error("the piece would end inside a note");
    fim_ = tick;
}

double ArquivoMidi::duracaoSegundos() const {
    return static_cast<double>(fim_) / TICKS_POR_SEMINIMA * 60.0 / bpm_;
}

bool ArquivoMidi::salvar(const std::string& caminho) const {
    std::vector<uint8_t> arquivo;
    std::vector<uint8_t> cabecalho;
    escreverU16(cabecalho, 1);  // format 1: a tempo track, then one track per channel
    escreverU16(cabecalho, static_cast<uint32_t>(trilhas_.size() + 1));
    escreverU16(cabecalho, TICKS_POR_SEMINIMA);
    pedaco(arquivo, "MThd", cabecalho);

    auto fecharTrilha = [this](std::vector<uint8_t>& corpo, long ultimo) {
        escreverVariavel(corpo, static_cast<uint32_t>(fim_ - ultimo));
        corpo.insert(corpo.end(), {0xFF, 0x2F, 0x00});
    };

    std::vector<uint8_t> tempo;
    const uint32_t microssegundos = 60000000u / static_cast<uint32_t>(bpm_);
    tempo.insert(tempo.end(), {0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8});  // 4/4
    tempo.insert(tempo.end(), {0x00, 0xFF, 0x51, 0x03});
    tempo.push_back(static_cast<uint8_t>(microssegundos >> 16));
    tempo.push_back(static_cast<uint8_t>(microssegundos >> 8));
    tempo.push_back(static_cast<uint8_t>(microssegundos));
    fecharTrilha(tempo, 0);
    pedaco(arquivo, "MTrk", tempo);

    for (std::vector<Evento> eventos : trilhas_) {
        std::stable_sort(eventos.begin(), eventos.end(), [](const Evento& a, const Evento& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.ordem < b.ordem;
        });
        std::vector<uint8_t> corpo;
        long ultimo = 0;
        for (const Evento& e : eventos) {
            escreverVariavel(corpo, static_cast<uint32_t>(e.tick - ultimo));
            corpo.insert(corpo.end(), e.dados.begin(), e.dados.end());
            ultimo = e.tick;
        }
        fecharTrilha(corpo, ultimo);
        pedaco(arquivo, "MTrk", corpo);
    }

    recursos::Arquivo f = recursos::abrir(caminho, "wb");
    if (!f) return false;
    return std::fwrite(arquivo.data(), 1, arquivo.size(), f.get()) == arquivo.size();
}

#include "classesBasicas/Som.h"

#include "classesBasicas/Recursos.h"
#include "dados/Bytes.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

using bytes::lerBe16;
using bytes::lerBe32;
using bytes::lerLe16;
using bytes::lerLe32;

std::string emByte(const char* oQue, size_t onde) {
    return std::string(oQue) + " at byte " + std::to_string(onde);
}

// A variable-length number at `p`, at most four bytes, inside [p, fim).
bool lerVariavel(const Bytes& d, size_t& p, size_t fim, uint32_t& valor) {
    valor = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= fim) return false;
        unsigned char b = d[p++];
        valor = valor << 7 | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

// One track, [inicio, fim) of the file: empty when Allegro can play it.
// Allegro reads running status only from channel messages and keeps it
// across meta and system exclusive events; so does this walk.
std::string defeitoDaTrilha(const Bytes& d, size_t inicio, size_t fim) {
    size_t p = inicio;
    unsigned char status = 0;
    for (;;) {
        if (p >= fim) return emByte("no end-of-track event", p);
        uint32_t n;
        const size_t delta = p;
        if (!lerVariavel(d, p, fim, n))
            return emByte("a delta time longer than four bytes or than the track", delta);
        if (p >= fim) return emByte("no end-of-track event", p);
        const size_t evento = p;
        unsigned char tipo = d[p];
        if (tipo & 0x80) {
            ++p;
        } else {
            if (status == 0) return emByte("a data byte with no status before it", evento);
            tipo = status;
        }

        if (tipo < 0xF0) {  // channel message: one or two data bytes
            status = tipo;
            const size_t dados = (tipo & 0xF0) == 0xC0 || (tipo & 0xF0) == 0xD0 ? 1 : 2;
            if (fim - p < dados) return emByte("a message runs past the end of the track", evento);
            for (size_t i = 0; i < dados; ++i, ++p)
                if (d[p] & 0x80) return emByte("a data byte above 127", p);
        } else if (tipo == 0xF0 || tipo == 0xF7) {  // system exclusive
            if (!lerVariavel(d, p, fim, n) || n > fim - p)
                return emByte("a system exclusive message runs past the end of the track", evento);
            p += n;
        } else if (tipo == 0xFF) {  // meta event
            if (p >= fim) return emByte("a meta event runs past the end of the track", evento);
            if (d[p] & 0x80) return emByte("a meta event whose type is above 127", evento);
            const unsigned char meta = d[p++];
            if (!lerVariavel(d, p, fim, n) || n > fim - p)
                return emByte("a meta event runs past the end of the track", evento);
            if (meta == 0x2F) {
                if (n != 0 || p != fim) return emByte("bytes after the end-of-track event", evento);
                return "";
            }
            // Allegro reads three bytes of a tempo, whatever its length says.
            if (meta == 0x51 && n != 3) return emByte("a tempo event that is not 3 bytes long", evento);
            if (meta == 0x51 && (d[p] | d[p + 1] | d[p + 2]) == 0) return emByte("a tempo of zero", evento);
            p += n;
        } else {
            char texto[64];
            std::snprintf(texto, sizeof texto, "a status byte 0x%02X that a MIDI file does not hold", tipo);
            return emByte(texto, evento);
        }
    }
}

std::string defeitoDosBytes(const Bytes& d) {
    if (d.size() < 14 || std::memcmp(d.data(), "MThd", 4) != 0) return "not a MIDI file";
    // Allegro skips the header's length and reads 6 bytes.
    if (lerBe32(&d[4]) != 6) return "a header that is not 6 bytes long";
    if (lerBe16(&d[8]) > 1) return "a MIDI format other than 0 or 1";
    const uint32_t trilhas = lerBe16(&d[10]);
    if (trilhas < 1 || trilhas > Som::TRILHAS_MAXIMAS) return "a number of tracks other than 1 to 32";
    const uint32_t divisao = lerBe16(&d[12]);
    if (divisao == 0 || (divisao & 0x8000)) return "a time base that is not in ticks";

    size_t p = 14;
    for (uint32_t t = 1; t <= trilhas; ++t) {
        const std::string trilha = "track " + std::to_string(t) + ": ";
        if (d.size() - p < 8 || std::memcmp(&d[p], "MTrk", 4) != 0) return trilha + emByte("missing", p);
        const size_t tamanho = lerBe32(&d[p + 4]);
        p += 8;
        if (tamanho > d.size() - p) return trilha + "runs past the end of the file";
        std::string defeito = defeitoDaTrilha(d, p, p + tamanho);
        if (!defeito.empty()) return trilha + defeito;
        p += tamanho;
    }
    return "";
}

// Where a WAV file's sound lies and how it is laid out.
struct Wav {
    int canais = 0, bits = 0, frequencia = 0;
    size_t inicio = 0;   // first byte of the data chunk's body
    size_t quadros = 0;  // frames (one sample per channel)
};

std::string defeitoDoWav(const Bytes& d, Wav& wav) {
    if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(&d[8], "WAVE", 4) != 0)
        return "not a WAV file";
    bool formato = false;
    // Chunks: a four-letter name, a length, the body padded to an even size.
    for (size_t p = 12; p + 8 <= d.size();) {
        const size_t tamanho = lerLe32(&d[p + 4]);
        const size_t corpo = p + 8;
        if (tamanho > d.size() - corpo) return emByte("a chunk runs past the end of the file", p);
        if (std::memcmp(&d[p], "fmt ", 4) == 0) {
            if (tamanho < 16) return emByte("a format chunk shorter than 16 bytes", p);
            if (lerLe16(&d[corpo]) != 1) return "a sound that is not plain PCM";
            wav.canais = static_cast<int>(lerLe16(&d[corpo + 2]));
            wav.frequencia = static_cast<int>(lerLe32(&d[corpo + 4]));
            wav.bits = static_cast<int>(lerLe16(&d[corpo + 14]));
            if (wav.canais < 1 || wav.canais > 2) return "a number of channels other than 1 or 2";
            if (wav.bits != 8 && wav.bits != 16) return "samples of other than 8 or 16 bits";
            if (wav.frequencia < 4000 || wav.frequencia > 96000) return "a sample rate outside 4 to 96 kHz";
            if (lerLe16(&d[corpo + 12]) != static_cast<uint32_t>(wav.canais * wav.bits / 8))
                return "a frame size that does not match its channels and bits";
            formato = true;
        } else if (std::memcmp(&d[p], "data", 4) == 0) {
            if (!formato) return "sound data before its format";
            const size_t quadro = static_cast<size_t>(wav.canais * wav.bits / 8);
            if (tamanho == 0 || tamanho % quadro != 0) return "sound data that is not a whole number of frames";
            wav.inicio = corpo;
            wav.quadros = tamanho / quadro;
            if (wav.quadros > static_cast<size_t>(wav.frequencia) * Som::EFEITO_MAXIMO_S)
                return "longer than any sound effect";
            return "";
        }
        p = corpo + tamanho + (tamanho & 1);
    }
    return formato ? "no sound data" : "no format chunk";
}

// The whole file at `caminho` into `dados`, when it is no larger than
// `limite` bytes; else what stops it.
std::string lerArquivo(const std::string& caminho, size_t limite, Bytes& dados) {
    recursos::Arquivo f = recursos::abrir(caminho, "rb");
    if (!f) return "cannot be opened";
    unsigned char bloco[16384];
    for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, f.get())) > 0;) {
        dados.insert(dados.end(), bloco, bloco + lidos);
        if (dados.size() > limite) return "larger than any sound effect";
    }
    if (std::ferror(f.get())) return "cannot be read";
    return "";
}

// Bytes of a whole effect file: ten seconds of 16-bit stereo at 96 kHz, and its headers.
constexpr size_t TAMANHO_MAXIMO_WAV = static_cast<size_t>(Som::EFEITO_MAXIMO_S) * 96000 * 4 + 4096;

}  // namespace

std::string Som::defeitoMidi(const std::string& caminho) {
    recursos::Arquivo f = recursos::abrir(caminho, "rb");
    if (!f) return "cannot be opened";
    Bytes dados;
    unsigned char bloco[16384];
    for (size_t lidos; (lidos = std::fread(bloco, 1, sizeof bloco, f.get())) > 0;) {
        dados.insert(dados.end(), bloco, bloco + lidos);
        if (dados.size() > static_cast<size_t>(TAMANHO_MAXIMO)) return "larger than any music the game plays";
    }
    if (std::ferror(f.get())) return "cannot be read";
    return defeitoDosBytes(dados);
}

bool Som::isMidiIntegro(const std::string& caminho) { return defeitoMidi(caminho).empty(); }

MIDI* Som::carregarMusica(const std::string& caminho) {
    std::error_code erro;
    if (!std::filesystem::exists(caminho, erro)) return nullptr;  // no music: the game plays silently
    const std::string defeito = defeitoMidi(caminho);
    if (!defeito.empty()) {
        std::fprintf(stderr, "avesso: the music %s is damaged (%s); playing without it\n", caminho.c_str(),
                     defeito.c_str());
        return nullptr;
    }
    return load_midi(caminho.c_str());
}

std::string Som::defeitoWav(const std::string& caminho) {
    Bytes dados;
    std::string defeito = lerArquivo(caminho, TAMANHO_MAXIMO_WAV, dados);
    if (!defeito.empty()) return defeito;
    Wav wav;
    return defeitoDoWav(dados, wav);
}

SAMPLE* Som::carregarEfeito(const std::string& caminho) {
    auto semEle = [&caminho](const std::string& porque) -> SAMPLE* {
        std::fprintf(stderr, "avesso: cannot load the sound %s (%s); playing without it\n", caminho.c_str(),
                     porque.c_str());
        return nullptr;
    };
    std::error_code erro;
    if (!std::filesystem::exists(caminho, erro)) return semEle("missing");
    Bytes dados;
    Wav wav;
    std::string defeito = lerArquivo(caminho, TAMANHO_MAXIMO_WAV, dados);
    if (defeito.empty()) defeito = defeitoDoWav(dados, wav);
    if (!defeito.empty()) return semEle("damaged: " + defeito);

    SAMPLE* amostra = create_sample(wav.bits, wav.canais == 2, wav.frequencia, static_cast<int>(wav.quadros));
    if (!amostra) return semEle("not enough memory");
    // Allegro keeps samples unsigned; a WAV file's 16-bit ones are signed
    // and little-endian, its 8-bit ones unsigned already.
    const size_t valores = wav.quadros * static_cast<size_t>(wav.canais);
    const unsigned char* origem = &dados[wav.inicio];
    if (wav.bits == 8) {
        std::memcpy(amostra->data, origem, valores);
    } else {
        auto* destino = static_cast<uint16_t*>(amostra->data);
        for (size_t i = 0; i < valores; ++i) destino[i] = static_cast<uint16_t>(lerLe16(origem + 2 * i) ^ 0x8000u);
    }
    return amostra;
}

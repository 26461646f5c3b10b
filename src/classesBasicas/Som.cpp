#include "classesBasicas/Som.h"

#include "classesBasicas/Recursos.h"

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

uint32_t lerU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | static_cast<uint32_t>(p[3]);
}

uint32_t lerU16(const unsigned char* p) { return static_cast<uint32_t>(p[0]) << 8 | p[1]; }

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
    if (lerU32(&d[4]) != 6) return "a header that is not 6 bytes long";
    if (lerU16(&d[8]) > 1) return "a MIDI format other than 0 or 1";
    const uint32_t trilhas = lerU16(&d[10]);
    if (trilhas < 1 || trilhas > Som::TRILHAS_MAXIMAS) return "a number of tracks other than 1 to 32";
    const uint32_t divisao = lerU16(&d[12]);
    if (divisao == 0 || (divisao & 0x8000)) return "a time base that is not in ticks";

    size_t p = 14;
    for (uint32_t t = 1; t <= trilhas; ++t) {
        const std::string trilha = "track " + std::to_string(t) + ": ";
        if (d.size() - p < 8 || std::memcmp(&d[p], "MTrk", 4) != 0) return trilha + emByte("missing", p);
        const size_t tamanho = lerU32(&d[p + 4]);
        p += 8;
        if (tamanho > d.size() - p) return trilha + "runs past the end of the file";
        std::string defeito = defeitoDaTrilha(d, p, p + tamanho);
        if (!defeito.empty()) return trilha + defeito;
        p += tamanho;
    }
    return "";
}

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

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Standard MIDI File (format 1) being written: one tempo for the whole
// piece, one track per channel, every note switched off inside the piece.
class ArquivoMidi {
public:
    static constexpr int TICKS_POR_SEMINIMA = 480;

    explicit ArquivoMidi(int bpm);

    // General MIDI program (0-based) and main volume, sent at the start.
    void instrumento(int canal, int programa, int volume, int pan);
    void nota(int canal, long tick, long duracao, int altura, int velocidade);

    // Where the piece ends (it loops from here back to the start); it must
    // not cut a note short.
    void terminarEm(long tick);
    long fim() const { return fim_; }
    double duracaoSegundos() const;

    bool salvar(const std::string& caminho) const;

private:
    struct Evento {
        long tick;
        int ordem;                  // at the same tick: set-up, then note-offs, then note-ons
        std::vector<uint8_t> dados;
    };

    std::vector<Evento>& trilha(int canal);

    int bpm_;
    long fim_ = 0;
    std::vector<int> canais_;                 // channel of each track, in order of first use
    std::vector<std::vector<Evento>> trilhas_;
};

#pragma once

#include <string>

struct MIDI;

// The one door through which the game loads its music. Allegro's MIDI
// player trusts every byte of a file: one data byte out of range overflows a
// buffer inside it, and a length that runs on sends it reading past a track.
// So each file is checked first and a damaged one is treated like a missing
// one: the game plays on without music.
class Som {
public:
    // The music at `caminho`, or null when the file is missing or damaged. A
    // damaged file is reported in one line on standard error; a missing one
    // is not. The caller owns the result.
    static MIDI* carregarMusica(const std::string& caminho);

    // Whether the file is a Standard MIDI File that Allegro plays as written:
    // a 6-byte header of format 0 or 1 with 1 to 32 tracks and a tick time
    // base, each track inside the file, and in every track events Allegro
    // knows, each whole inside the track, data bytes below 0x80, running
    // status only after a channel message, and an end-of-track event as the
    // last bytes.
    static bool isMidiIntegro(const std::string& caminho);

    // What is wrong with the file, in a few words, or empty when it is whole.
    static std::string defeitoMidi(const std::string& caminho);

    static constexpr int TRILHAS_MAXIMAS = 32;                 // Allegro plays no more
    static constexpr long TAMANHO_MAXIMO = 16L * 1024 * 1024;  // bytes
};

#pragma once

#include <string>

struct MIDI;
struct SAMPLE;

// The one door through which the game loads its music and its sound
// effects. Allegro's MIDI player trusts every byte of a file: one data byte
// out of range overflows a buffer inside it, and a length that runs on sends
// it reading past a track. So each file is checked first and a damaged one
// is treated like a missing one: the game plays on without music. Sound
// effects are read by the game's own WAV reader, never by Allegro's.
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

    // The sound effect at `caminho` as an Allegro sample, or null when the
    // file is missing or damaged, which is said in one line on standard
    // error. The caller owns the result.
    static SAMPLE* carregarEfeito(const std::string& caminho);

    // What is wrong with a sound effect's file, in a few words, or empty
    // when it is whole: a RIFF WAVE file whose format chunk comes before its
    // data chunk and says PCM, mono or stereo, 8 or 16 bits, 4 to 96 kHz,
    // and whose data chunk lies inside the file, holds whole frames, at
    // least one, and lasts no more than EFEITO_MAXIMO_S seconds.
    static std::string defeitoWav(const std::string& caminho);

    static constexpr int TRILHAS_MAXIMAS = 32;                 // Allegro plays no more
    static constexpr long TAMANHO_MAXIMO = 16L * 1024 * 1024;  // bytes
    static constexpr int EFEITO_MAXIMO_S = 10;                 // longer than any effect
};

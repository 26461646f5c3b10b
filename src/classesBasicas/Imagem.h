#pragma once

#include <string>

struct BITMAP;

// The one door through which the game loads a picture. Allegro's BMP reader
// takes a truncated file for a full picture of garbage and crashes on absurd
// sizes, so each file is checked first and a damaged one is treated exactly
// like a missing one.
class Imagem {
public:
    // The picture at `caminho` in the current colour depth, or null when the
    // file is missing or damaged. The caller owns the result.
    static BITMAP* carregar(const std::string& caminho);

    // Whether the file is a BMP that Allegro can read whole: the signature, a
    // supported bit depth and compression, sane dimensions, and enough bytes
    // for the pixels it declares.
    static bool isBmpIntegro(const std::string& caminho);

    static constexpr int LADO_MAXIMO = 32768;
    static constexpr long long PIXELS_MAXIMOS = 32LL * 1024 * 1024;
};

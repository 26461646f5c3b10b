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

    // Whether the file is a BMP that Allegro reads whole: a header Allegro
    // knows (Windows 40 bytes or OS/2), 1, 4, 8, 16, 24 or 32 bits, plain,
    // run-length (RLE8, RLE4) or with the masks Allegro knows, stored
    // bottom-up, sane dimensions, pixels that start after the palette, and
    // enough bytes for them: for a run-length picture, a stream that stays
    // inside the picture and ends inside the file.
    static bool isBmpIntegro(const std::string& caminho);

    static constexpr int LADO_MAXIMO = 32768;
    static constexpr long long PIXELS_MAXIMOS = 32LL * 1024 * 1024;
};

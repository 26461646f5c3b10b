#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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

    // What the first bytes of a BMP file say, read as Allegro reads them.
    struct Cabecalho {
        uint32_t tamanhoInfo = 0;   // INFO_OS2 or INFO_WINDOWS
        uint32_t inicioPixels = 0;  // the byte the pixels start at
        long long largura = 0;
        long long altura = 0;       // negative when stored top-down
        int bits = 0;               // a pixel's: 1, 4, 8, 16, 24 or 32
        uint32_t compressao = 0;    // BI_RGB, ...
        long long cores = 0;        // palette entries stored before the pixels
        int bytesPorCor = 0;        // 3 after an OS/2 header, 4 after a Windows one
    };
    // The headers in the `lidos` bytes at `bytes` (the file's first ones),
    // or none when they are no BMP headers Allegro knows: not "BM", another
    // header size, a bit depth or palette size it does not read.
    static std::optional<Cabecalho> lerCabecalho(const unsigned char* bytes, std::size_t lidos);

    static constexpr uint32_t CABECALHO_ARQUIVO = 14;
    static constexpr uint32_t INFO_OS2 = 12;
    static constexpr uint32_t INFO_WINDOWS = 40;
    static constexpr uint32_t BI_RGB = 0;
    static constexpr uint32_t BI_RLE8 = 1;
    static constexpr uint32_t BI_RLE4 = 2;
    static constexpr uint32_t BI_BITFIELDS = 3;

    static constexpr int LADO_MAXIMO = 32768;
    static constexpr long long PIXELS_MAXIMOS = 32LL * 1024 * 1024;
};

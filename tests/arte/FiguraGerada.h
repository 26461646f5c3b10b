#pragma once

#include "dados/Paleta.h"

#include <cstdint>
#include <string>

struct BITMAP;

// A picture the build wrote, loaded the way the game loads it (Allegro's
// load_bitmap at 32 bits, the real window's colour layout) and read back as
// 0xRRGGBB values, palette colours under their exact names.
class FiguraGerada {
public:
    static constexpr uint32_t MASCARA = paleta::MASCARA;
    static constexpr uint32_t CONTORNO = paleta::NOITE;  // the palette's darkest colour

    explicit FiguraGerada(const std::string& caminho);
    ~FiguraGerada();
    FiguraGerada(const FiguraGerada&) = delete;
    FiguraGerada& operator=(const FiguraGerada&) = delete;

    bool carregada() const { return bitmap_ != nullptr; }
    int largura() const;
    int altura() const;
    uint32_t cor(int x, int y) const;  // outside the picture: the mask colour

    // How many pixels differ from `outra`'s at the same place.
    int diferencas(const FiguraGerada& outra) const;
    // Mean over the picture of |dr| + |dg| + |db| against `outra`, / 3: 0..255.
    double distanciaMedia(const FiguraGerada& outra) const;
    // Mean of (r + g + b) / 3 over the picture, 0..255.
    double brilhoMedio() const;

private:
    BITMAP* bitmap_ = nullptr;
};

// The 16 colours of the game's palette.
bool daPaleta(uint32_t cor);

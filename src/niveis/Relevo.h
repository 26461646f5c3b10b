#pragma once

#include "niveis/DescricaoNivel.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The solid ground of a level, pixel by pixel: what the collision picture
// paints black and the visual picture paints as terrain. Both pictures are
// drawn from this one mask, so they cannot disagree.
class Relevo {
public:
    explicit Relevo(const DescricaoNivel& descricao);

    int largura() const { return largura_; }
    int altura() const { return altura_; }

    // Coordinates are clamped to the picture: beyond the top and bottom rows
    // the ground goes on, so a ceiling or a floor has no edge there.
    bool solido(int x, int y) const;
    // Row `y` of the mask, 1 where solid; 0 <= y < altura().
    const uint8_t* linha(int y) const { return &mascara_[static_cast<std::size_t>(y) * static_cast<std::size_t>(largura_)]; }

    // The first column, from `x0` on, where no runner fits between the
    // ground, or -1. A runner needs 48 free rows in one column.
    int colunaFechada(int x0, int x1) const;

private:
    void preencher(int x0, int x1, int y0, int y1);

    int largura_;
    int altura_;
    std::vector<uint8_t> mascara_;  // 1 where solid, row after row
};

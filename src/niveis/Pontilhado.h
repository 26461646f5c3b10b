#pragma once

// Ordered 4 x 4 dithering, the one way every picture of the game mixes two
// colours: whether pixel (x, y) takes the second colour when `fracao` (0..1)
// of the area should.
inline bool pontilhar(int x, int y, double fracao) {
    static constexpr int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (BAYER[y & 3][x & 3] + 0.5) / 16.0 < fracao;
}

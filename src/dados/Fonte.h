#pragma once

#include <cstdint>

// The game's pixel font: 5 x 7 glyphs, one byte per row, bit 4 the leftmost
// column. Unknown characters draw as a box.
namespace fonte {

constexpr int LARGURA = 5;
constexpr int ALTURA = 7;
constexpr int AVANCO = 6;  // glyph plus one column of space

// Returns the 7 rows of the glyph of `c` (upper and lower case share glyphs).
const uint8_t* glifo(char c);

}  // namespace fonte

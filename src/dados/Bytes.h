#pragma once

#include <cstdint>

// Whole numbers as files store them: BMP and WAV little-endian, MIDI
// big-endian. `p` points at the number's first byte.
namespace bytes {

inline uint16_t lerLe16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t lerLe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

inline uint16_t lerBe16(const unsigned char* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

inline uint32_t lerBe32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           static_cast<uint32_t>(p[3]);
}

}  // namespace bytes

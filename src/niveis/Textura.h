#pragma once

#include <cstdint>

// Small deterministic helpers the level painters share: the same level file
// always gives the same pictures.
namespace textura {

// A well-mixed 32-bit hash of a pixel and a seed.
uint32_t ruido(int x, int y, uint32_t semente);

// Smooth value noise in [0, 1) along x, with features about `periodo` wide.
double suave(int x, int periodo, uint32_t semente);

}  // namespace textura

#pragma once

#include <cstdint>

// The fresh levels' source of chance: splitmix64, a fixed sequence of 64-bit
// numbers from a seed, turned into ranges by integer arithmetic alone, so
// one seed gives the same level on every machine and library (the standard
// distributions may differ between implementations).
class Acaso {
public:
    explicit Acaso(uint64_t semente) : estado(semente) {}

    uint64_t proximo();
    // A whole number from `de` to `ate`, both included (de <= ate).
    int entre(int de, int ate);
    // True `porCento` times in a hundred.
    bool chance(int porCento);

    // A seed for the `indice`-th of several things made from one seed: far
    // apart in the sequence, and different for different indices.
    static uint64_t misturar(uint64_t semente, uint64_t indice);

private:
    uint64_t estado;
};

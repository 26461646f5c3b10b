#include "gerador/Acaso.h"

uint64_t Acaso::proximo() {
    estado += 0x9E3779B97F4A7C15ull;
    uint64_t z = estado;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Acaso::entre(int de, int ate) {
    const uint64_t largura = static_cast<uint64_t>(static_cast<int64_t>(ate) - de) + 1;
    // The high 32 bits scaled to the range: exact in 64-bit integers.
    const uint64_t escolhido = ((proximo() >> 32) * largura) >> 32;
    return static_cast<int>(static_cast<int64_t>(de) + static_cast<int64_t>(escolhido));
}

bool Acaso::chance(int porCento) { return entre(0, 99) < porCento; }

uint64_t Acaso::misturar(uint64_t semente, uint64_t indice) {
    Acaso a(semente ^ (indice * 0xD1B54A32D192ED03ull));
    a.proximo();
    return a.proximo();
}

#include "VistaNivel.h"

void VistaNivel::avancar() {
    // The frame's steps are counted before the first: a column changes the
    // speed of the frames after.
    const int passos = velocidade;
    for (int i = 0; i < passos; ++i) {
        ++x;
        for (int b = 0; b < nivel.numBoosts; ++b)
            if (nivel.boosts[b].x == x) velocidade = nivel.boosts[b].velocidade;
    }
}

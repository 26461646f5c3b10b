#pragma once

#include "dados/Niveis.h"

// Where a level's view stands, frame by frame, as its screen manager moves
// it: one pixel a frame at first, then at the speed of each speed column its
// left edge enters. It depends on the frame alone, until the level is over
// and the view stops; a runner touching a column's top row, which would hide
// that column from the view, never happens in these levels.
class VistaNivel {
public:
    explicit VistaNivel(const niveis::Nivel& nivel) : nivel(nivel) {}

    void avancar();  // one frame

    int getX() const { return x; }                    // the view's left edge
    int getVelocidade() const { return velocidade; }  // pixels per frame from now on
    int getDireita() const { return x + LARGURA - 1; }  // the last column shown

    static constexpr int LARGURA = 640;

private:
    const niveis::Nivel& nivel;
    int x = 0;
    int velocidade = 1;
};

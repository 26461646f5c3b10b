#pragma once

// An integer pixel of a level: x grows to the right, y downward, (0, 0) is
// the top-left pixel.
class Ponto {
public:
    Ponto(int x = 0, int y = 0) : x(x), y(y) {}

    // Inline: read for every pixel an object probes.
    int getX() const { return x; }
    int getY() const { return y; }
    void setX(int x) { this->x = x; }
    void setY(int y) { this->y = y; }

    bool operator==(Ponto& a) const { return x == a.x && y == a.y; }

private:
    int x;
    int y;
};

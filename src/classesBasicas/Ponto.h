#pragma once

// An integer pixel of a level: x grows to the right, y downward, (0, 0) is
// the top-left pixel.
class Ponto {
public:
    Ponto(int x = 0, int y = 0);

    int getX() const;
    int getY() const;
    void setX(int x);
    void setY(int y);

    bool operator==(Ponto& a) const;

private:
    int x;
    int y;
};

#include "niveis/Textura.h"

#include <cmath>

namespace textura {

uint32_t ruido(int x, int y, uint32_t semente) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 semente * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

double suave(int x, int periodo, uint32_t semente) {
    int celula = x >= 0 ? x / periodo : (x - periodo + 1) / periodo;
    double t = static_cast<double>(x - celula * periodo) / periodo;
    t = t * t * (3.0 - 2.0 * t);
    double a = (ruido(celula, 0, semente) & 0xFFFF) / 65536.0;
    double b = (ruido(celula + 1, 0, semente) & 0xFFFF) / 65536.0;
    return a + (b - a) * t;
}

}  // namespace textura

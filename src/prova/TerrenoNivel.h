#pragma once

#include <string>
#include <utility>
#include <vector>

// A danger on one side of a runner's way: a wall it would run into, or
// ground that ends under it (a pit in the floor, a hole in the ceiling).
struct Perigo {
    enum class Tipo { NENHUM, PAREDE, BURACO };
    Tipo tipo = Tipo::NENHUM;
    int x = 0;     // its first column
    int fim = 0;   // its last column
    int lado = 1;  // 1 on the floor's side, -1 on the ceiling's
};

// A level's ground as its collision picture has it, column by column (the
// solid runs, top to bottom): what the player model looks at, and what the
// level check names the spots a runner fails at by.
class TerrenoNivel {
public:
    // Reads the collision picture at `colisao`; throws std::runtime_error
    // when it cannot.
    explicit TerrenoNivel(const std::string& colisao);

    // Whether column x is solid anywhere from row `topo` to row `base`.
    bool bloqueado(int x, int topo, int base) const;
    // The first solid row from row `de` on towards side `lado` (down for the
    // floor, up for the ceiling) in column x.
    bool apoio(int x, int de, int lado, int& linha) const;

    // The gap in the ground on side `lado` (no floor at all, or open sky)
    // that a runner whose back was at column x fell or flew through: the one
    // under its box, else the nearest behind it. NENHUM when there is none.
    Perigo lacuna(int x, int lado) const;
    // What stops a runner at column x with rows [topo, base]: the solid run
    // just ahead of its front. NENHUM when nothing is there.
    Perigo obstaculo(int x, int topo, int base) const;
    // "pit at x 4900–5049", "floor wall at x 3000–3059", "slab at x ...".
    std::string descrever(const Perigo& perigo) const;

private:
    bool solidoAte(int x, int linha) const;  // column x has ground reaching row `linha`

    std::vector<std::vector<std::pair<int, int>>> colunas;
};

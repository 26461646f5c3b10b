#include "prova/TerrenoNivel.h"

#include "prova/SemTela.h"

#include "classesBasicas/FigurasNivel.h"
#include "dados/Niveis.h"

#include <allegro.h>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int LARGURA = niveis::LARGURA_RUNNER + 1;  // columns of a runner's box
constexpr int BUSCA = 400;                           // how far back a gap is looked for

}  // namespace

TerrenoNivel::TerrenoNivel(const std::string& colisao) : colunas(static_cast<std::size_t>(niveis::COMPRIMENTO)) {
    semTela::iniciarAllegro();
    // As the map reads it: a file in memory, without a name Allegro knows
    // a picture by, is read as well.
    BITMAP* figura = FigurasNivel::criar(colisao);
    if (!figura) throw std::runtime_error("cannot load " + colisao);
    const int preto = makecol(0, 0, 0);
    for (int x = 0; x < std::min(figura->w, niveis::COMPRIMENTO); ++x) {
        auto& coluna = colunas[static_cast<std::size_t>(x)];
        for (int y = 0; y < figura->h; ++y) {
            if (getpixel(figura, x, y) != preto) continue;
            if (!coluna.empty() && coluna.back().second == y - 1)
                coluna.back().second = y;
            else
                coluna.push_back({y, y});
        }
    }
    destroy_bitmap(figura);
}

bool TerrenoNivel::bloqueado(int x, int topo, int base) const {
    if (x < 0 || x >= niveis::COMPRIMENTO) return false;
    for (const auto& [de, ate] : colunas[static_cast<std::size_t>(x)])
        if (de <= base && ate >= topo) return true;
    return false;
}

bool TerrenoNivel::apoio(int x, int de, int lado, int& linha) const {
    if (x < 0 || x >= niveis::COMPRIMENTO) return false;
    const auto& coluna = colunas[static_cast<std::size_t>(x)];
    if (lado > 0) {
        for (const auto& [inicio, fim] : coluna)
            if (fim >= de) {
                linha = std::max(inicio, de);
                return true;
            }
    } else {
        for (auto s = coluna.rbegin(); s != coluna.rend(); ++s)
            if (s->first <= de) {
                linha = std::min(s->second, de);
                return true;
            }
    }
    return false;
}

bool TerrenoNivel::solidoAte(int x, int linha) const {
    if (x < 0 || x >= niveis::COMPRIMENTO) return true;
    const auto& coluna = colunas[static_cast<std::size_t>(x)];
    return !coluna.empty() && (linha > 0 ? coluna.back().second == niveis::ALTURA - 1 : coluna.front().first == 0);
}

Perigo TerrenoNivel::lacuna(int x, int lado) const {
    // A gap's columns have no ground on that side at all: the bottom row
    // free for a pit, the top row for a hole.
    const int borda = lado > 0 ? 1 : 0;
    auto vazia = [&](int c) { return !solidoAte(c, borda); };
    Perigo p;
    p.lado = lado;
    int c = x + LARGURA - 1;
    while (c >= x - BUSCA && !vazia(c)) --c;
    if (c < x - BUSCA) return p;
    p.tipo = Perigo::Tipo::BURACO;
    p.x = p.fim = c;
    while (vazia(p.x - 1)) --p.x;
    while (vazia(p.fim + 1)) ++p.fim;
    return p;
}

Perigo TerrenoNivel::obstaculo(int x, int topo, int base) const {
    Perigo p;
    for (int c = x + LARGURA; c < x + LARGURA + BUSCA && c < niveis::COMPRIMENTO; ++c) {
        if (!bloqueado(c, topo, base)) continue;
        p.tipo = Perigo::Tipo::PAREDE;
        p.x = p.fim = c;
        while (bloqueado(p.fim + 1, topo, base)) ++p.fim;
        // Rising from the floor, hanging from the ceiling, or neither.
        for (const auto& [de, ate] : colunas[static_cast<std::size_t>(c)])
            if (de <= base && ate >= topo) p.lado = ate == niveis::ALTURA - 1 ? 1 : de == 0 ? -1 : 0;
        return p;
    }
    return p;
}

std::string TerrenoNivel::descrever(const Perigo& p) const {
    std::string nome;
    if (p.tipo == Perigo::Tipo::BURACO) nome = p.lado > 0 ? "pit" : "hole";
    else if (p.tipo == Perigo::Tipo::PAREDE) nome = p.lado > 0 ? "floor wall" : p.lado < 0 ? "ceiling wall" : "slab";
    else return "somewhere";
    std::string onde = "x " + std::to_string(p.x);
    if (p.fim > p.x) onde += "\u2013" + std::to_string(p.fim);
    return nome + " at " + onde;
}

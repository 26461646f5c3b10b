#pragma once

#include "dados/Sons.h"

#include <ostream>
#include <vector>

// Takes the place of Allegro's mixer while it lives and keeps, in order,
// every sound effect the game starts. Main thread only.
class GravadorEfeitos {
public:
    struct Toque {
        sons::Efeito efeito;
        int jogador;
        bool operator==(const Toque& o) const { return efeito == o.efeito && jogador == o.jogador; }
    };

    GravadorEfeitos();
    ~GravadorEfeitos();

    const std::vector<Toque>& ouvidos() const;
    std::vector<sons::Efeito> efeitos() const;  // the effects alone
};

// How a failing test names what it heard.
inline void PrintTo(const GravadorEfeitos::Toque& t, std::ostream* saida) {
    *saida << sons::ARQUIVOS[static_cast<int>(t.efeito)].nome << " for player " << t.jogador;
}
namespace sons {
inline void PrintTo(Efeito efeito, std::ostream* saida) { *saida << ARQUIVOS[static_cast<int>(efeito)].nome; }
}  // namespace sons

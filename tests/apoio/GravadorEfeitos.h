#pragma once

#include "dados/Sons.h"

#include <ostream>
#include <vector>

// Takes the place of Allegro's mixer for as long as it lives and keeps, in
// order, every sound effect the game starts. One at a time; main thread.
class GravadorEfeitos {
public:
    struct Toque {
        sons::Efeito efeito;
        int jogador;
        bool operator==(const Toque& outro) const { return efeito == outro.efeito && jogador == outro.jogador; }
        friend void PrintTo(const Toque& t, std::ostream* saida) {
            *saida << sons::ARQUIVOS[static_cast<int>(t.efeito)].nome << " for player " << t.jogador;
        }
    };

    GravadorEfeitos();
    ~GravadorEfeitos();
    GravadorEfeitos(const GravadorEfeitos&) = delete;
    GravadorEfeitos& operator=(const GravadorEfeitos&) = delete;

    const std::vector<Toque>& ouvidos() const;
    // Only the effects, in order.
    std::vector<sons::Efeito> efeitos() const;
    void limpar();
};

namespace sons {
// How a failing test names an effect: by its file.
inline void PrintTo(Efeito efeito, std::ostream* saida) { *saida << ARQUIVOS[static_cast<int>(efeito)].nome; }
}  // namespace sons

#pragma once

#include "dados/Niveis.h"

class DescricaoNivel;

// A level read from its text, made ready to be raced unseen: its collision
// picture painted into a file held in memory (the engine reads a level's
// pictures from files), no visual picture at all, which neither the solver
// nor the player model looks at. Owns the file; while it lives, no other
// level is proven in the process.
class NivelEmProva {
public:
    // Throws std::runtime_error when the picture cannot be kept.
    explicit NivelEmProva(const DescricaoNivel& descricao);
    ~NivelEmProva();

    NivelEmProva(const NivelEmProva&) = delete;
    NivelEmProva& operator=(const NivelEmProva&) = delete;

    const niveis::Nivel& getNivel() const { return nivel; }

private:
    niveis::Nivel nivel;
    int descritor = -1;
};

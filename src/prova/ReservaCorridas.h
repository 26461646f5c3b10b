#pragma once

#include "prova/CorridaNivel.h"

#include <memory>
#include <vector>

// Races of one level with one runner each, kept for reuse: building one
// loads both pictures, while moving a built race on costs only its frames.
// A race only goes forward, so a race is handed out at a frame from the
// kept one furthest along but not past it, or from a new one; past
// MAX_CORRIDAS races, the one furthest along is built again in its place.
class ReservaCorridas {
public:
    explicit ReservaCorridas(const niveis::Nivel& nivel);

    // A race at frame `quadro` whose runner is in `estado` (taken from any
    // race of this level at that frame). Stays the caller's until devolver.
    CorridaNivel& tomar(int quadro, const EstadoRunner& estado);
    void devolver(CorridaNivel& corrida);

    // The runner's state at the start line (frame 0).
    const EstadoRunner& getInicial() const { return inicial; }
    int getConstruidas() const { return construidas; }

    static constexpr std::size_t MAX_CORRIDAS = 10;  // each holds four 18000 x 480 pictures

private:
    const niveis::Nivel& nivel;
    std::vector<std::unique_ptr<CorridaNivel>> corridas;
    std::vector<bool> emUso;
    EstadoRunner inicial;
    int construidas = 1;
};

// A race lent by the pool for as long as it is in scope.
class Emprestimo {
public:
    Emprestimo(ReservaCorridas& reserva, int quadro, const EstadoRunner& estado)
        : reserva(reserva), corrida(reserva.tomar(quadro, estado)) {}
    ~Emprestimo() { reserva.devolver(corrida); }
    Emprestimo(const Emprestimo&) = delete;
    Emprestimo& operator=(const Emprestimo&) = delete;
    CorridaNivel& operator*() const { return corrida; }

private:
    ReservaCorridas& reserva;
    CorridaNivel& corrida;
};


#pragma once

#include <memory>

class Mapa;

// The attempt at a level being played: its map, and the key callbacks of
// its runners, which point into the map. However the attempt ends, even by
// an exception, the callbacks are removed before the map and its runners go.
class NivelEmJogo {
public:
    // Takes the map a level builder returned, with the callbacks of its
    // `numPlayers` runners installed.
    NivelEmJogo(Mapa* mapa, int numPlayers);
    ~NivelEmJogo();

    NivelEmJogo(const NivelEmJogo&) = delete;
    NivelEmJogo& operator=(const NivelEmJogo&) = delete;

    Mapa& getMapa() const { return *mapa; }

private:
    std::unique_ptr<Mapa> mapa;
    int numPlayers;
};

#pragma once

#include "classesBasicas/Cronometro.h"
#include "dados/Niveis.h"

class Mapa;
class Runner;

// The level number (from 1) a command line names, or 0 when `texto` names
// none of the table's levels.
int numeroDoNivel(const char* texto);

// Everything that decides a runner's future in a race of one runner: the
// view, the speed columns and the finish line depend on the frame alone, so
// two races of a level whose runners are in the same state at the same frame
// go on identically.
struct EstadoRunner {
    int x = 0, y = 0;
    double velH = 0.0, velV = 0.0;
    int sinal = 1;
    bool noChao = false, ativo = true, winner = false;
    bool apertado = false;  // its key is held, waiting for it to stand
    Cronometro gravidade;   // running in every race, so never compared

    bool operator==(const EstadoRunner& o) const;
};

// One attempt at a level on the real engine, headless: built by the game's
// own level builder from the level's pictures, advanced one frame at a time
// on the hand-moved clock, with each player's key pressed by hand. Unless
// `mostrada`, the map is raced unseen: no visual picture, nothing copied to
// the screen, which is most of a frame's work and changes no collision.
// Needs the working directory to be the game folder.
class CorridaNivel {
public:
    CorridaNivel(const niveis::Nivel& nivel, int jogadores, bool mostrada = false);
    ~CorridaNivel();

    CorridaNivel(const CorridaNivel&) = delete;
    CorridaNivel& operator=(const CorridaNivel&) = delete;

    // Holds runner `i`'s key down until the runner flips, as a held key
    // does: at once if it stands, else at the first frame it stands.
    void apertar(int i);
    bool isApertado(int i) const { return apertado[i]; }
    // One frame, a little over 33 ms after the last. Returns what
    // Mapa::atualizarMapa returns: true when everyone is out and none won.
    bool avancar();

    // Runner `i`'s state, and putting it in a state taken from another race
    // of the same level at the same frame, which it then goes on from as
    // that race's runner would. A Mapa cannot be copied; this is how a race
    // is rewound.
    EstadoRunner estado(int i) const;
    void assumir(int i, const EstadoRunner& estado);

    // Whether everyone was out with a winner among them: the level is over
    // and its view has stopped for good.
    bool isAcabada() const;

    // The view: its left edge and the pixels a frame it moves from now on.
    int getXVista() const;
    int getVelocidadeVista() const;

    int getQuadro() const { return quadro; }  // frames played so far
    int getJogadores() const { return jogadores; }
    Runner& runner(int i) const { return *runners[i]; }
    int naCorrida() const;  // runners still in the race

    static constexpr int MS_POR_QUADRO = 34;  // the level loop's frame time

private:
    Mapa* mapa = nullptr;
    Runner* runners[niveis::MAX_JOGADORES] = {};
    bool apertado[niveis::MAX_JOGADORES] = {};
    int jogadores = 0;
    int quadro = 0;
};

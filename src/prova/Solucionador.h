#pragma once

#include "prova/CorridaNivel.h"

#include "dados/Niveis.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What a level asks of a lone runner to count as played through.
struct Objetivo {
    int xFinal = 0;             // still in the race past this column...
    bool exigeVitoria = false;  // ...or, instead, across the finish line

    // A level whose finish line stands in its first screen (level 1) is won
    // at its start; the rest is a run for survival, made once the runner is
    // past X_FINAL. Any other level is won at its finish.
    static constexpr int X_FINAL = niveis::COMPRIMENTO - 1000;
    static Objetivo doNivel(const niveis::Nivel& nivel);
};

// A flip schedule for one runner: the frames (1 is the first frame played)
// at whose start the player's key goes down. A press is held until the
// runner stands, as the game's key callback does, then flips it.
struct Cronograma {
    std::vector<int> apertos;  // ascending
};

// Where a press became a flip.
struct Virada {
    int quadro = 0;  // the frame it happened before
    int x = 0;       // the runner's column then
};

// How a run ended.
struct Desfecho {
    bool alcancou = false;  // the objective was met
    int quadros = 0;        // frames played
    int x = 0;              // the runner's last column
    std::vector<Virada> viradas;
};

// Plays `cronograma` on a fresh race until the objective is met or the
// runner is out.
Desfecho jogar(const niveis::Nivel& nivel, const Objetivo& objetivo, const Cronograma& cronograma);

// A press that breaks the schedule when made late.
struct AtrasoFatal {
    std::size_t aperto = 0;  // index in the schedule
    int atraso = 0;          // frames late; 0 when the schedule fails as it is
};

// Replays `cronograma` with each single press made 1 to `atrasoMaximo`
// frames late and returns every variant that fails. A variant starts from
// the original run's state just before its press and stops as soon as it is
// back on the original run's track.
std::vector<AtrasoFatal> atrasosFatais(const niveis::Nivel& nivel, const Objetivo& objetivo,
                                       const Cronograma& cronograma, int atrasoMaximo);

// Searches a schedule that takes one runner to a level's objective, every
// press of it still good when made up to two frames late. It lets the runner
// go on alone until a wall stops it or it drops out, then tries presses in
// the frames before, from the earliest, each from the state the runner had
// there (CorridaNivel::assumir), and keeps the first that flips it clear
// with two frames to spare. Where no press fits, it goes back and moves the
// previous one later.
class Solucionador {
public:
    Solucionador(const niveis::Nivel& nivel, const Objetivo& objetivo);

    // Nothing when no schedule was found; getRelato says where it got stuck.
    std::optional<Cronograma> resolver();

    int getCorridas() const { return corridas; }    // races built
    int getSondagens() const { return sondagens; }  // presses tried
    const std::string& getRelato() const { return relato; }
    // Where the runner, left alone after the last press tried, was stopped
    // or dropped out (when no schedule was found): its state then, and
    // whether a wall held it.
    const EstadoRunner& getParada() const { return parada; }
    bool isParadaNumaParede() const { return paradaNumaParede; }

    static constexpr int ATRASO_TOLERADO = 2;   // frames a press may come late
    // Presses are tried from this many frames before the danger, then, if
    // none fits, from further back (walls high enough need a long climb).
    static constexpr int FOLGA_ANTES = 20;
    static constexpr int FOLGA_MAXIMA = 45;
    static constexpr int MAX_SONDAGENS = 1500;  // presses tried before giving up

private:
    const niveis::Nivel& nivel;
    Objetivo objetivo;
    int corridas = 0;
    int sondagens = 0;
    std::string relato;
    EstadoRunner parada;
    bool paradaNumaParede = false;
};

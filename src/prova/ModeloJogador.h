#pragma once

#include "prova/CorridaNivel.h"
#include "prova/Solucionador.h"
#include "prova/TerrenoNivel.h"

#include "dados/Niveis.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class Runner;
class VistaNivel;

// How a person plays, for the player model: what it looks at and how slow
// its hands are.
struct Reflexos {
    int reacaoMs = 300;    // from a picture to the key going down, on average
    int olharMs = 600;     // look-ahead: reacts to a danger on its side this near, in time at the view's speed
    int variacaoMs = 25;   // spread of the reaction (standard deviation)
    int seguraMs = 100;    // how long a press holds the key down
    uint32_t semente = 1;  // of the spread: one seed, one game
};

// How one game of the model ended.
struct Partida {
    bool alcancou = false;   // the level's objective was met
    int quadros = 0;         // frames played
    int x = 0;               // the runner's last column in the race
    const char* saida = "";  // how it went out: "fell", "off the top", "left behind"
    Perigo perigo;           // what it went out at (NENHUM when it met the objective or ran out of time)
};

// A danger the model flipped away from, and how long the screen gave to
// do it: from the first picture that shows it to the last frame before
// which a flip still takes the runner past it untouched, or at all.
struct Aviso {
    Perigo perigo;
    int velocidade = 0;   // the view's when it came into sight, pixels per frame
    int visto = 0;        // the first frame whose picture shows it
    int virada = 0;       // the frame the model's own flip came before
    int ultimoLimpo = -1; // the last frame a flip may come before and pass it untouched; -1: none
    int ultimoVivo = -1;  // ... and pass it at all, stopped by it a while; -1: none
    // The first frame the runner stands on this side again, had the flip
    // for the danger before come at the last frame that passed that one
    // untouched: 0 for the first flip.
    int pronto = 0;

    int msLimpo() const { return (ultimoLimpo - visto) * CorridaNivel::MS_POR_QUADRO; }
    int msVivo() const { return (ultimoVivo - visto) * CorridaNivel::MS_POR_QUADRO; }
    // The same from the first moment the danger shows and the runner can
    // flip for it, even after taking the one before at its last moment, to
    // the last press that passes it at all.
    int msVivoAposPouso() const {
        return (ultimoVivo - std::max(visto, pronto)) * CorridaNivel::MS_POR_QUADRO;
    }
};

// A player that knows only what the screen shows: the level's ground inside
// the 640-pixel view and its own runner. It looks along the side its runner
// runs on (or is falling to); when the first danger there is within its
// look-ahead, and the other side has ground where the runner would land,
// flipped a reaction from now, with its first danger farther or none in
// sight, it presses as a person does: the key goes down a reaction time
// later, give or take a little, and stays down a moment, flipping the
// runner if it stands then. It plays one runner on the real engine,
// headless, like the solver; needs the working directory to be the game
// folder.
class ModeloJogador {
public:
    ModeloJogador(const niveis::Nivel& nivel, const Objetivo& objetivo);

    const TerrenoNivel& getTerreno() const { return terreno; }

    Partida jogar(const Reflexos& reflexos) const;

    // Plays like jogar and, for each flip the model made, measures on the
    // engine how long the screen gave for it. Stops where the model drops out.
    std::vector<Aviso> avisos(const Reflexos& reflexos) const;

    // Where a runner stands on one side: its back's column and its rows.
    struct Faixa {
        int pouso = 0;
        int topo = 0, base = 0;
    };
    // The first danger up to column `ate` on side `lado` of a runner
    // standing on it as `faixa` says, ahead of its front.
    Perigo perigo(const Faixa& faixa, int lado, int ate) const;
    // Where a runner at (x, y) moving vertically at `velV` with gravity
    // towards `lado` and forward at `v` will stand, or nothing when it
    // leaves the picture first, judged from the ground up to column `ate`.
    std::optional<Faixa> pouso(int x, int y, double velV, int lado, int v, int ate) const;

private:
    struct Gravacao;
    Partida partida(const Reflexos& reflexos, Gravacao* gravacao) const;
    bool querVirar(const Runner& runner, const VistaNivel& vista, const Reflexos& reflexos, Perigo& motivo) const;
    bool alcancou(const Runner& runner) const;  // the level's objective, for a runner in the race
    bool superficie(int x, int topo, int base, int lado, int& linha) const;
    bool bloqueado(int x, int topo, int base) const { return terreno.bloqueado(x, topo, base); }
    bool apoio(int x, int de, int lado, int& linha) const { return terreno.apoio(x, de, lado, linha); }

    const niveis::Nivel& nivel;
    Objetivo objetivo;
    TerrenoNivel terreno;
};

#pragma once

#include "dados/Niveis.h"

#include <string>
#include <vector>

// The check a level passes to be played as a fresh level, and that
// `avesso-levels check` runs on any level: finishable (the solver finds a
// flip schedule through it, every press still good two frames late, the
// whole run replayed so) and fair (the player model, looking 600 ms ahead,
// finishes at least VITORIAS_RAPIDA of JOGOS games reacting in
// REACAO_RAPIDA ms, and VITORIAS_LENTA reacting in REACAO_LENTA ms). Where a
// level fails, it says at which spot of the level and why.
namespace verificacaoNivel {

constexpr int ATRASO = 2;  // frames every press may come late
constexpr int JOGOS = 20;
constexpr int REACAO_RAPIDA = 300;
constexpr int VITORIAS_RAPIDA = 19;
constexpr int REACAO_LENTA = 350;
constexpr int VITORIAS_LENTA = 15;

struct Resultado {
    bool terminavel = false;
    int viradas = 0;  // presses of the schedule found
    int vitoriasRapida = 0, jogosRapida = 0;  // the REACAO_RAPIDA model's games won and played
    int vitoriasLenta = 0, jogosLenta = 0;    // the REACAO_LENTA model's
    std::vector<std::string> falhas;          // one line per failing spot: "pit at x 4900–5049: ..."
    std::vector<std::string> notas;           // what may catch a runner the check did not see caught

    bool isJusto() const { return vitoriasRapida >= VITORIAS_RAPIDA && vitoriasLenta >= VITORIAS_LENTA; }
    bool isCertificado() const { return terminavel && isJusto(); }
};

enum class Modo {
    COMPLETO,     // every game played, to say everywhere the level fails
    ATE_DECIDIR,  // stops as soon as the verdict is known: for candidates
};

// Checks `nivel` (its collision picture, speed columns and finish line).
// Throws std::runtime_error when its collision picture cannot be read.
Resultado verificar(const niveis::Nivel& nivel, Modo modo);

// The verdict in one line: "certified: ..." or "not certified: ...".
std::string veredito(const Resultado& resultado);

}  // namespace verificacaoNivel

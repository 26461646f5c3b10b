#pragma once

#include "niveis/Quadro.h"
#include "dados/Medidas.h"

#include <cstdint>
#include <string>
#include <vector>

// The six runners: each one an upper body painted as pixel art (head and
// torso, facing right) plus arms and legs posed by angle, so one description
// gives every running and airborne frame.
namespace personagens {

// A material in two shades: lit, and turned away from the light.
struct Rampa {
    uint32_t luz;
    uint32_t sombra;
};

struct Personagem {
    std::string nome;
    std::vector<std::string> corpo;    // head and torso, letters of desenho::corDaLetra
    int ombroX, ombroY;                // where the arms start, in `corpo`
    int quadrilX, quadrilY;            // where the legs start, in `corpo`
    Rampa manga, braco;                // upper arm, forearm
    Rampa calcao, perna;               // thigh, shin
    uint32_t mao, sapato;
    double raioBraco = 1.0;            // half the limb thickness
    double raioPerna = 1.5;
};

// Angles in degrees in the body's own frame: 0 points straight down, positive
// toward the front (the right). "Perto" limbs are on the viewer's side.
struct Pose {
    double coxaPerto, canelaPerto, coxaLonge, canelaLonge;
    double bracoPerto, antebracoPerto, bracoLonge, antebracoLonge;
    int giro = 0;  // quarter turns clockwise of the whole figure
};

// Frame geometry the game reads from the sheets.
constexpr int LARGURA_QUADRO = medidas::LARGURA_RUNNER;
constexpr int ALTURA_QUADRO = medidas::ALTURA_RUNNER;
constexpr int QUADROS_CHAO = medidas::QUADROS_CHAO;
constexpr int QUADROS_AR = medidas::QUADROS_AR;
constexpr int LARGURA_FOLHA = QUADROS_CHAO * LARGURA_QUADRO;
constexpr int ALTURA_FOLHA = 2 * ALTURA_QUADRO + 2;

const std::vector<Personagem>& elenco();

// The poses of the running row and of the airborne (tumbling) row.
Pose poseCorrida(int quadro);
Pose poseNoAr(int quadro);

// One 42 x 47 frame on the mask colour: a running frame stands on the bottom
// row, an airborne one is centred.
Quadro desenharQuadro(const Personagem& p, const Pose& pose, bool noChao);

// The whole sheet: running row at y 0, airborne row at y 49.
Quadro folha(const Personagem& p);

}  // namespace personagens

#pragma once

#include "niveis/Quadro.h"

#include "dados/Medidas.h"
#include "dados/Paleta.h"

#include <cstdint>
#include <string>

// The backdrop every screen of the game shares: a night sky lit at the
// horizon, a city standing on the floor and its twin hanging from the
// ceiling (the game's world has two sides), and the title.
namespace cenario {

constexpr int LARGURA = medidas::LARGURA_TELA;
constexpr int ALTURA = medidas::ALTURA_TELA;
constexpr int FAIXA = 12;  // height of the ceiling and floor strips

// Colours of the interface, chosen once.
constexpr uint32_t PAINEL = paleta::GRAFITE;  // body of every panel and item
constexpr uint32_t PAINEL_LUZ = paleta::ARDOSIA;
constexpr uint32_t TEXTO = paleta::BRANCO;
constexpr uint32_t CONTORNO = paleta::NOITE;
constexpr uint32_t DESTAQUE = paleta::AREIA;
constexpr uint32_t TECLA = paleta::CIANO;

// The colour of player n (1..6), the same on every screen.
uint32_t corJogador(int n);

// Sky, stars and both cities over the whole picture; `semente` varies them.
void fundo(Quadro& q, uint32_t semente);
// A strip of terrain blocks whose bright edge faces the side a runner stands on.
void faixaTerreno(Quadro& q, int x0, int y0, int x1, int y1, bool teto);
// Ceiling and floor strips across the whole width.
void moldura(Quadro& q);

// Big lettering in the title's style (the game's name, headings), centred
// on `cx`, top at `y`; with `reflexo` its upside-down twin fades below it.
// Returns the height drawn.
int letreiro(Quadro& q, const std::string& texto, int cx, int y, int escala, bool reflexo);

}  // namespace cenario

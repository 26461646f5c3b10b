#include "main/NivelEmJogo.h"

#include "classesBasicas/Mapa.h"
#include "main/main.h"

NivelEmJogo::NivelEmJogo(Mapa* mapa, int numPlayers) : mapa(mapa), numPlayers(numPlayers) {}

NivelEmJogo::~NivelEmJogo() {
    descarregarControle(numPlayers);
    mapa.reset();
}

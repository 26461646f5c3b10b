#include "classesBasicas/Tela.h"

#include <allegro.h>

namespace {

// Set and used on the main thread only.
BITMAP* daJanela = nullptr;
void (*apresentador)(BITMAP*) = nullptr;

}  // namespace

BITMAP* Tela::logica() { return daJanela ? daJanela : screen; }

void Tela::mostrar() {
    if (daJanela && apresentador) apresentador(daJanela);
}

void Tela::usar(BITMAP* logica, void (*apresentar)(BITMAP*)) {
    daJanela = logica;
    apresentador = apresentar;
}

#include "classesBasicas/Colisor.h"

#include <allegro.h>

// The values at 32 bits a pixel, whatever the channel order.
Colisor::Leitor Colisor::leitor{nullptr};
int Colisor::corLivre = 0xFFFFFF;
int Colisor::corTerreno = 0;
BITMAP* Colisor::mapaColisao = nullptr;
std::map<int, Objeto*>* Colisor::listaDeObjetos = nullptr;
std::map<int, Objeto*>* Colisor::listaDePlayers = nullptr;

Colisor::~Colisor() = default;

void Colisor::setMapaColisao(BITMAP* mapaColisao) {
    Colisor::mapaColisao = mapaColisao;
    leitor = Leitor(mapaColisao);
    corLivre = makecol(255, 255, 255);
    corTerreno = makecol(0, 0, 0);
}

void Colisor::setListaDeObjetos(std::map<int, Objeto*>* listaDeObjetos) {
    Colisor::listaDeObjetos = listaDeObjetos;
}

void Colisor::setListaDePlayers(std::map<int, Objeto*>* listaDePlayers) {
    Colisor::listaDePlayers = listaDePlayers;
}

Colisor::Leitor::Leitor(BITMAP* mapa) : mapa(mapa) {
    if (!mapa) return;
    largura = mapa->w;
    altura = mapa->h;
    if (bitmap_color_depth(mapa) == 32 && is_memory_bitmap(mapa)) linhas32 = mapa->line;
}

int Colisor::lerPixel(BITMAP* mapa, int x, int y) { return getpixel(mapa, x, y); }

Objeto* Colisor::getObjetosColisao(int cor) {
    Objeto* resultado = nullptr;
    for (auto* tabela : {listaDeObjetos, listaDePlayers}) {
        if (!tabela) continue;
        auto achado = tabela->find(cor);
        if (achado != tabela->end()) resultado = achado->second;
    }
    return resultado;
}

BITMAP* Colisor::getMapaColisao() { return mapaColisao; }
std::map<int, Objeto*>* Colisor::getListaDeObjetos() { return listaDeObjetos; }
std::map<int, Objeto*>* Colisor::getListaDePlayers() { return listaDePlayers; }

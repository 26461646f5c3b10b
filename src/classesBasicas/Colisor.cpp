#include "classesBasicas/Colisor.h"

#include <allegro.h>

BITMAP* Colisor::mapaColisao = nullptr;
std::map<int, Objeto*>* Colisor::listaDeObjetos = nullptr;
std::map<int, Objeto*>* Colisor::listaDePlayers = nullptr;

Colisor::~Colisor() = default;

void Colisor::setMapaColisao(BITMAP* mapaColisao) { Colisor::mapaColisao = mapaColisao; }

void Colisor::setListaDeObjetos(std::map<int, Objeto*>* listaDeObjetos) {
    Colisor::listaDeObjetos = listaDeObjetos;
}

void Colisor::setListaDePlayers(std::map<int, Objeto*>* listaDePlayers) {
    Colisor::listaDePlayers = listaDePlayers;
}

int Colisor::getColisao(Ponto posicao) {
    return getpixel(mapaColisao, posicao.getX(), posicao.getY());
}

Objeto* Colisor::getObjetosColisao(int cor) {
    Objeto* resultado = nullptr;
    auto objeto = listaDeObjetos->find(cor);
    if (objeto != listaDeObjetos->end()) resultado = objeto->second;
    auto player = listaDePlayers->find(cor);
    if (player != listaDePlayers->end()) resultado = player->second;
    return resultado;
}

BITMAP* Colisor::getMapaColisao() { return mapaColisao; }
std::map<int, Objeto*>* Colisor::getListaDeObjetos() { return listaDeObjetos; }

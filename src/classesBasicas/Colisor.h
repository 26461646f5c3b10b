#pragma once

#include "classesBasicas/Ponto.h"

#include <map>

struct BITMAP;
class Objeto;

// Tells a moving object what lies under a pixel of the current level: the
// level publishes its collision buffer and object tables here every frame.
// Borrows them; owns nothing.
class Colisor {
public:
    virtual ~Colisor();

    static void setMapaColisao(BITMAP* mapaColisao);
    static void setListaDeObjetos(std::map<int, Objeto*>* listaDeObjetos);
    static void setListaDePlayers(std::map<int, Objeto*>* listaDePlayers);

    // The pixel at `posicao`, or -1 outside the picture.
    static int getColisao(Ponto posicao);
    // The object painted in colour `cor` (runners first), or null.
    static Objeto* getObjetosColisao(int cor);

    static BITMAP* getMapaColisao();
    static std::map<int, Objeto*>* getListaDeObjetos();

private:
    static BITMAP* mapaColisao;
    static std::map<int, Objeto*>* listaDeObjetos;
    static std::map<int, Objeto*>* listaDePlayers;
};

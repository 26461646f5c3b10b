#pragma once

#include "classesBasicas/Ponto.h"

#include <cstdint>
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

    // Reads pixels of a collision picture as getpixel reports them, -1
    // outside it. Inline, with its own copy of the picture's rows: probes
    // read thousands of pixels a frame, between calls of virtual rules.
    class Leitor {
    public:
        explicit Leitor(BITMAP* mapa);
        int operator()(int x, int y) const {
            if (x < 0 || y < 0 || x >= largura || y >= altura) return -1;
            if (linhas32) return static_cast<int>(reinterpret_cast<const uint32_t*>(linhas32[y])[x]);
            return lerPixel(mapa, x, y);
        }

    private:
        BITMAP* mapa;
        int largura = 0;
        int altura = 0;
        unsigned char** linhas32 = nullptr;  // rows of a 32-bit memory bitmap, else null
    };

    // The pixel at `posicao` of the published picture, or -1 outside it.
    static int getColisao(Ponto posicao) { return leitor(posicao.getX(), posicao.getY()); }
    static const Leitor& getLeitor() { return leitor; }

    // The object painted in colour `cor` (runners first), or null; null too
    // when no tables are published.
    static Objeto* getObjetosColisao(int cor);

    static BITMAP* getMapaColisao();
    static std::map<int, Objeto*>* getListaDeObjetos();
    static std::map<int, Objeto*>* getListaDePlayers();

    // makecol(255, 255, 255) and makecol(0, 0, 0) as they were when the
    // picture was published: probes compare every pixel with them.
    static int getCorLivre() { return corLivre; }
    static int getCorTerreno() { return corTerreno; }

private:
    static int lerPixel(BITMAP* mapa, int x, int y);

    static Leitor leitor;  // of mapaColisao
    static int corLivre;
    static int corTerreno;
    static BITMAP* mapaColisao;
    static std::map<int, Objeto*>* listaDeObjetos;
    static std::map<int, Objeto*>* listaDePlayers;
};

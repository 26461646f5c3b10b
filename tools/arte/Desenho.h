#pragma once

#include "niveis/Quadro.h"

#include <cstdint>
#include <string>
#include <vector>

// Drawing habits shared by every picture of the game, on top of Quadro:
// ordered dithering, pixel art written as text, outlines, panels and text
// placement. Everything here keeps to the shared palette.
namespace desenho {

// A colour stop of a dithered gradient, `posicao` from 0 (top) to 1 (bottom).
struct Parada {
    double posicao;
    uint32_t cor;
};

// Fills the rectangle (corners inclusive) with a vertical dithered gradient.
void degradeVertical(Quadro& q, int x0, int y0, int x1, int y1, const std::vector<Parada>& paradas);

// Covers the rectangle with `cor` in a checkerboard, darkening what is there.
void velar(Quadro& q, int x0, int y0, int x1, int y1, uint32_t cor);

// Pixel art written as rows of letters, one palette colour each (see
// corDaLetra); '.' is the mask colour.
Quadro deTexto(const std::vector<std::string>& linhas);
uint32_t corDaLetra(char letra);

// Every mask-coloured pixel touching (4-neighbourhood) a painted one becomes
// `cor`: the one-pixel outline of a sprite.
void contornar(Quadro& q, uint32_t cor);

Quadro ampliar(const Quadro& q, int fator);
Quadro recortar(const Quadro& q, int x, int y, int largura, int altura);
Quadro espelharVertical(const Quadro& q);
// A quarter turn clockwise, `vezes` times.
Quadro girar(const Quadro& q, int vezes);
// Every colour replaced through the pairs (de, para); others kept.
void trocarCores(Quadro& q, const std::vector<std::pair<uint32_t, uint32_t>>& trocas);

// Text with a one-pixel outline (thinner than Quadro's, for tight spots)
// plus a drop shadow of one font pixel.
int escreverSombreado(Quadro& q, int x, int y, const std::string& texto, uint32_t cor,
                      uint32_t sombra, int escala);
// Outlined text centred on column `cx`; returns its left edge.
int escreverCentrado(Quadro& q, int cx, int y, const std::string& texto, uint32_t cor,
                     uint32_t contorno, int escala);

// A framed panel: dark rim, light bevel on top and left, body `corpo`.
void painel(Quadro& q, int x0, int y0, int x1, int y1, uint32_t corpo, uint32_t luz,
            uint32_t sombra);

// Deterministic pseudo-random numbers so every build paints the same picture.
class Sorteio {
public:
    explicit Sorteio(uint32_t semente) : estado_(semente ? semente : 1) {}
    uint32_t proximo();
    int entre(int minimo, int maximo);  // both inclusive

private:
    uint32_t estado_;
};

}  // namespace desenho

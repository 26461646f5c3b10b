#pragma once

#include "classesBasicas/Recursos.h"

#include <string>

// A picture a screen shows, owned for as long as the holder lives and
// loaded through Imagem. A missing or damaged file leaves the holder empty:
// it draws nothing, and the game says once which picture it goes without.
class Figura {
public:
    Figura() = default;
    explicit Figura(const std::string& caminho);

    // Replaces the picture with the one at `caminho`.
    void carregar(const std::string& caminho);
    bool isCarregada() const { return bitmap != nullptr; }

    // Copies the picture's top-left `largura` x `altura` to (x, y) of `destino`.
    void copiar(BITMAP* destino, int x, int y, int largura, int altura) const;
    // Draws the whole picture at (x, y), leaving out its mask colour.
    void desenhar(BITMAP* destino, int x, int y) const;

private:
    recursos::Bitmap bitmap;
};

#include "classesBasicas/Figura.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>

#include <cstdio>
#include <mutex>
#include <set>

namespace {

// One line per picture a run goes without, however often its screen opens:
// enough to diagnose a broken install without flooding the terminal.
void avisarFalta(const std::string& caminho) {
    static std::mutex guarda;
    static std::set<std::string> avisadas;
    std::lock_guard<std::mutex> trava(guarda);
    if (avisadas.insert(caminho).second)
        std::fprintf(stderr, "avesso: cannot load the picture %s (missing or damaged); going on without it\n",
                     caminho.c_str());
}

}  // namespace

Figura::Figura(const std::string& caminho) { carregar(caminho); }

void Figura::carregar(const std::string& caminho) {
    bitmap.reset(Imagem::carregar(caminho));
    if (!bitmap) avisarFalta(caminho);
}

void Figura::copiar(BITMAP* destino, int x, int y, int largura, int altura) const {
    if (bitmap) blit(bitmap.get(), destino, 0, 0, x, y, largura, altura);
}

void Figura::desenhar(BITMAP* destino, int x, int y) const {
    if (bitmap) draw_sprite(destino, bitmap.get(), x, y);
}

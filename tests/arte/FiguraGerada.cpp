#include "FiguraGerada.h"

#include "AllegroSemTela.h"

#include <allegro.h>

#include <algorithm>
#include <cstdlib>

FiguraGerada::FiguraGerada(const std::string& caminho) {
    semTela::iniciar();
    bitmap_ = load_bitmap(caminho.c_str(), nullptr);
}

FiguraGerada::~FiguraGerada() {
    if (bitmap_) destroy_bitmap(bitmap_);
}

int FiguraGerada::largura() const { return bitmap_ ? bitmap_->w : 0; }
int FiguraGerada::altura() const { return bitmap_ ? bitmap_->h : 0; }

namespace {

// Allegro keeps a palette at 6 bits a channel, so a paletted BMP loads with
// its colours rounded that way; this gives them back their names.
uint32_t comoAllegroCarrega(uint32_t c) {
    auto canal = [](uint32_t v) { return static_cast<uint32_t>(_rgb_scale_6[(v & 0xFF) >> 2]); };
    return canal(c >> 16) << 16 | canal(c >> 8) << 8 | canal(c);
}

uint32_t daPaletaSePuder(uint32_t lida) {
    for (uint32_t c : paleta::TODAS)
        if (comoAllegroCarrega(c) == lida) return c;
    return lida;
}

}  // namespace

uint32_t FiguraGerada::cor(int x, int y) const {
    if (!bitmap_ || x < 0 || y < 0 || x >= bitmap_->w || y >= bitmap_->h) return MASCARA;
    int c = getpixel(bitmap_, x, y);
    return daPaletaSePuder(static_cast<uint32_t>(getr(c) << 16 | getg(c) << 8 | getb(c)));
}

int FiguraGerada::diferencas(const FiguraGerada& outra) const {
    int n = 0;
    for (int y = 0; y < std::max(altura(), outra.altura()); ++y)
        for (int x = 0; x < std::max(largura(), outra.largura()); ++x)
            if (cor(x, y) != outra.cor(x, y)) ++n;
    return n;
}

double FiguraGerada::distanciaMedia(const FiguraGerada& outra) const {
    double soma = 0;
    for (int y = 0; y < altura(); ++y)
        for (int x = 0; x < largura(); ++x) {
            uint32_t a = cor(x, y), b = outra.cor(x, y);
            for (int s = 0; s <= 16; s += 8) soma += std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF)) / 3.0;
        }
    const int n = largura() * altura();
    return n > 0 ? soma / n : 0.0;
}

double FiguraGerada::brilhoMedio() const {
    double soma = 0;
    for (int y = 0; y < altura(); ++y)
        for (int x = 0; x < largura(); ++x) {
            uint32_t c = cor(x, y);
            soma += ((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF)) / 3.0;
        }
    const int n = largura() * altura();
    return n > 0 ? soma / n : 0.0;
}

bool daPaleta(uint32_t cor) {
    return std::find(std::begin(paleta::TODAS), std::end(paleta::TODAS), cor) != std::end(paleta::TODAS);
}

#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An RGB picture in memory that the build's generators paint on and save as
// a BMP file: 8-bit paletted when it holds 256 colours or fewer (small and
// quick for the game to load), 24-bit otherwise.
class Quadro {
public:
    Quadro(int largura, int altura, uint32_t fundo);

    int largura() const { return largura_; }
    int altura() const { return altura_; }

    // Every drawing call clips to the picture; corners are inclusive.
    void ponto(int x, int y, uint32_t cor);
    uint32_t cor(int x, int y) const;
    void retangulo(int x0, int y0, int x1, int y1, uint32_t cor);
    void moldura(int x0, int y0, int x1, int y1, uint32_t cor);
    void linha(int x0, int y0, int x1, int y1, uint32_t cor);

    // Copies `origem` with its top-left corner at (x, y); with `mascarado`
    // the mask colour of the source is left out, as Allegro's sprites do.
    void copiar(const Quadro& origem, int x, int y, bool mascarado);

    // Text in the game's 5 x 7 pixel font, each font pixel `escala` x `escala`.
    // Returns the width drawn.
    int escrever(int x, int y, const std::string& texto, uint32_t cor, int escala);
    // The same text with a one-font-pixel outline so it reads over anything.
    int escreverContornado(int x, int y, const std::string& texto, uint32_t cor,
                           uint32_t contorno, int escala);
    static int larguraTexto(const std::string& texto, int escala);
    static int alturaTexto(int escala) { return 7 * escala; }

    // The picture as a BMP file's bytes.
    std::vector<uint8_t> bmp() const;
    // Writes the picture; false when the file cannot be written.
    bool salvarBmp(const std::string& caminho) const;

private:
    int largura_;
    int altura_;
    std::vector<uint32_t> pixels_;
};

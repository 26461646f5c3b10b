// Paints every level's pictures from its text file:
//   gerador_niveis <folder of the level files> <game folder>
// writes the visual and collision pictures of each level of Niveis.h at the
// paths it names, under the game folder, and the one-pixel picture of
// invisible objects.
#include "PintorNivel.h"

#include "Quadro.h"

#include "dados/Figuras.h"
#include "dados/Niveis.h"
#include "dados/Paleta.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder of the level files> <game folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path entrada = argv[1];
    const std::filesystem::path saida = argv[2];
    try {
        for (const niveis::Nivel& nivel : niveis::NIVEIS)
            PintorNivel::gerar((entrada / nivel.texto).string(), nivel, saida.string());
        // What the invisible objects (screen-speed columns, finish line)
        // load: nothing but the mask colour.
        const std::filesystem::path pixel = saida / figuras::PIXEL_TRANSPARENTE;
        if (!Quadro(1, 1, paleta::MASCARA).salvarBmp(pixel.string()))
            throw std::runtime_error("cannot write " + pixel.string());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gerador_niveis: %s\n", e.what());
        return 1;
    }
    return 0;
}

// Paints the built-in levels' pictures from their text files:
//   gerador_niveis <folder of the level files> <game folder>
// reads each level of the campaign (Niveis.h), writes its visual and
// collision pictures at the paths the campaign names, under the game
// folder, and the one-pixel picture of invisible objects.
#include "niveis/ArquivoNivel.h"
#include "niveis/PintorNivel.h"
#include "niveis/Quadro.h"

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
        for (const niveis::ArquivosNivel& nivel : niveis::NIVEIS) {
            const ArquivoNivel::Leitura leitura = ArquivoNivel::ler((entrada / nivel.texto).string());
            if (!leitura) throw std::runtime_error(leitura.erro);
            PintorNivel::gerar(*leitura.descricao, (saida / nivel.visual).string(), (saida / nivel.colisao).string());
        }
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

// Paints the two levels' pictures from their text files:
//   gerador_niveis <folder of nivel1.txt and nivel2.txt> <game folder>
// writes the visual and collision pictures at the paths Niveis.h names,
// under the game folder, and the one-pixel picture of invisible objects.
#include "DescricaoNivel.h"
#include "PintorNivel.h"
#include "Relevo.h"

#include "Paleta.h"
#include "Quadro.h"
#include "main/Niveis.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

void salvar(const Quadro& quadro, const std::filesystem::path& caminho) {
    std::filesystem::create_directories(caminho.parent_path());
    if (!quadro.salvarBmp(caminho.string())) throw std::runtime_error("cannot write " + caminho.string());
}

void gerar(const std::filesystem::path& arquivo, const niveis::Nivel& nivel,
           const std::filesystem::path& saida) {
    const DescricaoNivel descricao = DescricaoNivel::ler(arquivo.string());
    const Relevo relevo(descricao);
    PintorNivel::validar(relevo, nivel, arquivo.string());
    salvar(PintorNivel::colisao(relevo), saida / nivel.colisao);
    salvar(PintorNivel::visual(relevo, nivel, descricao.getTema()), saida / nivel.visual);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder of the level files> <game folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path entrada = argv[1];
    const std::filesystem::path saida = argv[2];
    try {
        gerar(entrada / "nivel1.txt", niveis::NIVEL1, saida);
        gerar(entrada / "nivel2.txt", niveis::NIVEL2, saida);
        // What the invisible objects (screen-speed columns, finish line)
        // load: nothing but the mask colour.
        salvar(Quadro(1, 1, paleta::MASCARA), saida / "src/Img/Jogo/pixelTransparente.bmp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gerador_niveis: %s\n", e.what());
        return 1;
    }
    return 0;
}

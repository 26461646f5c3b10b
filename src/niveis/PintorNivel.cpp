#include "niveis/PintorNivel.h"

#include "niveis/DescricaoNivel.h"
#include "niveis/Paisagem.h"
#include "niveis/Placas.h"
#include "niveis/Relevo.h"
#include "niveis/Tema.h"
#include "niveis/Terreno.h"

#include "dados/Paleta.h"

#include <filesystem>
#include <stdexcept>

namespace PintorNivel {

Quadro colisao(const Relevo& relevo) {
    Quadro quadro(relevo.largura(), relevo.altura(), paleta::LIVRE);
    for (int y = 0; y < relevo.altura(); ++y) {
        const uint8_t* linha = relevo.linha(y);
        // Run by run of solid ground.
        for (int x = 0; x < relevo.largura();) {
            if (!linha[x]) {
                ++x;
                continue;
            }
            int fim = x;
            while (fim + 1 < relevo.largura() && linha[fim + 1]) ++fim;
            quadro.retangulo(x, y, fim, y, paleta::SOLIDO);
            x = fim + 1;
        }
    }
    return quadro;
}

Quadro visual(const Relevo& relevo, const DescricaoNivel& nivel) {
    const Tema& tema = Tema::porNome(nivel.getTema());
    Quadro quadro(relevo.largura(), relevo.altura(), paleta::NOITE);
    Paisagem::pintar(quadro, tema);
    Terreno::pintar(quadro, relevo, tema);
    Placas::pintar(quadro, relevo, nivel, tema);
    return quadro;
}

namespace {

void salvar(const Quadro& quadro, const std::filesystem::path& caminho) {
    if (caminho.has_parent_path()) std::filesystem::create_directories(caminho.parent_path());
    if (!quadro.salvarBmp(caminho.string())) throw std::runtime_error("cannot write " + caminho.string());
}

}  // namespace

void gerar(const DescricaoNivel& nivel, const std::string& visual, const std::string& colisao) {
    const Relevo relevo(nivel);
    salvar(PintorNivel::colisao(relevo), colisao);
    salvar(PintorNivel::visual(relevo, nivel), visual);
}

}  // namespace PintorNivel

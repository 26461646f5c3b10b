#include "PintorNivel.h"

#include "DescricaoNivel.h"
#include "Paisagem.h"
#include "Placas.h"
#include "Relevo.h"
#include "Tema.h"
#include "Terreno.h"

#include "dados/Niveis.h"
#include "dados/Paleta.h"

#include <filesystem>
#include <stdexcept>

namespace PintorNivel {

Quadro colisao(const Relevo& relevo) {
    Quadro quadro(relevo.largura(), relevo.altura(), paleta::LIVRE);
    for (int y = 0; y < relevo.altura(); ++y) {
        const uint8_t* linha = relevo.linha(y);
        for (int x = 0; x < relevo.largura(); ++x)
            if (linha[x]) quadro.ponto(x, y, paleta::SOLIDO);
    }
    return quadro;
}

Quadro visual(const Relevo& relevo, const niveis::Nivel& nivel, const std::string& nomeTema) {
    const Tema& tema = Tema::porNome(nomeTema);
    Quadro quadro(relevo.largura(), relevo.altura(), paleta::NOITE);
    Paisagem::pintar(quadro, tema);
    Terreno::pintar(quadro, relevo, tema);
    Placas::pintar(quadro, relevo, nivel, tema);
    return quadro;
}

void validar(const Relevo& relevo, const niveis::Nivel& nivel, const std::string& arquivo) {
    auto falha = [&](const std::string& m) { throw std::runtime_error(arquivo + ": " + m); };
    // A level may end in rock that closes it from some column to the last:
    // no runner goes further, whatever it does. Before that, every column
    // must let a runner through.
    const int fechada = relevo.colunaFechada(0, relevo.largura() - 1);
    bool paredeFinal = fechada >= 0;
    for (int x = fechada; paredeFinal && x < relevo.largura(); ++x)
        for (int y = 0; paredeFinal && y < relevo.altura(); ++y) paredeFinal = relevo.solido(x, y);
    if (fechada >= 0 && !paredeFinal) falha("no runner fits through column " + std::to_string(fechada));

    auto caixaLivre = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (relevo.solido(x, y)) return false;
        return true;
    };
    for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
        const int y = niveis::Y_INICIAL + niveis::PASSO_Y * i;
        if (!caixaLivre(niveis::X_INICIAL, y - niveis::ALTURA_RUNNER, niveis::X_INICIAL + niveis::LARGURA_RUNNER, y))
            falha("runner " + std::to_string(i + 1) + " would start inside the ground");
    }
    if (!caixaLivre(nivel.chegadaX, nivel.chegadaY - nivel.alturaChegada, nivel.chegadaX, nivel.chegadaY))
        falha("the finish line lies in the ground");
    // A speed column is painted over the whole height of the collision
    // buffer; on a wall's face it would let a runner one pixel into the wall.
    for (int b = 0; b < nivel.numBoosts; ++b) {
        const int x = nivel.boosts[b].x;
        for (int y = 0; y < relevo.altura(); ++y)
            if (relevo.solido(x - 1, y) != relevo.solido(x, y) || relevo.solido(x + 1, y) != relevo.solido(x, y))
                falha("the speed column at x = " + std::to_string(x) + " stands on a wall's face");
    }
}

namespace {

void salvar(const Quadro& quadro, const std::filesystem::path& caminho) {
    std::filesystem::create_directories(caminho.parent_path());
    if (!quadro.salvarBmp(caminho.string())) throw std::runtime_error("cannot write " + caminho.string());
}

}  // namespace

void gerar(const std::string& arquivo, const niveis::Nivel& nivel, const std::string& saida) {
    const DescricaoNivel descricao = DescricaoNivel::ler(arquivo);
    const Relevo relevo(descricao);
    validar(relevo, nivel, arquivo);
    salvar(colisao(relevo), std::filesystem::path(saida) / nivel.colisao);
    salvar(visual(relevo, nivel, descricao.getTema()), std::filesystem::path(saida) / nivel.visual);
}

}  // namespace PintorNivel

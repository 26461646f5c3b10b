#include "niveis/Relevo.h"

#include "dados/Niveis.h"

#include <algorithm>
#include <cstddef>

Relevo::Relevo(const DescricaoNivel& descricao)
    : largura_(niveis::COMPRIMENTO),
      altura_(niveis::ALTURA),
      mascara_(static_cast<std::size_t>(largura_) * static_cast<std::size_t>(altura_), 0) {
    // Each entry of a profile lasts until the next one, the last to the end.
    auto perfil = [&](const std::vector<DescricaoNivel::Trecho>& trechos, bool chao) {
        for (std::size_t i = 0; i < trechos.size(); ++i) {
            const auto& t = trechos[i];
            if (t.limite == DescricaoNivel::NENHUM) continue;
            int fim = i + 1 < trechos.size() ? trechos[i + 1].x : largura_;
            if (chao)
                preencher(t.x, fim - 1, t.limite, altura_ - 1);
            else
                preencher(t.x, fim - 1, 0, t.limite);
        }
    };
    perfil(descricao.getChao(), true);
    perfil(descricao.getTeto(), false);
    for (const auto& b : descricao.getBlocos()) preencher(b.x, b.x + b.largura - 1, b.y, b.y + b.altura - 1);
}

void Relevo::preencher(int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, largura_ - 1);
    y0 = std::max(y0, 0);
    y1 = std::min(y1, altura_ - 1);
    for (int y = y0; y <= y1; ++y) {
        auto inicio = mascara_.begin() + static_cast<std::ptrdiff_t>(y) * largura_;
        std::fill(inicio + x0, inicio + x1 + 1, uint8_t{1});
    }
}

bool Relevo::solido(int x, int y) const {
    x = std::clamp(x, 0, largura_ - 1);
    y = std::clamp(y, 0, altura_ - 1);
    return mascara_[static_cast<std::size_t>(y) * static_cast<std::size_t>(largura_) +
                    static_cast<std::size_t>(x)] != 0;
}

int Relevo::colunaFechada(int x0, int x1) const {
    const int alturaRunner = niveis::ALTURA_RUNNER + 1;
    for (int x = std::max(x0, 0); x <= std::min(x1, largura_ - 1); ++x) {
        int livres = 0, maior = 0;
        for (int y = 0; y < altura_; ++y) {
            livres = solido(x, y) ? 0 : livres + 1;
            maior = std::max(maior, livres);
        }
        if (maior < alturaRunner) return x;
    }
    return -1;
}

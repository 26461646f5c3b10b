#include "prova/ReservaCorridas.h"

ReservaCorridas::ReservaCorridas(const niveis::Nivel& nivel) : nivel(nivel) {
    corridas.push_back(std::make_unique<CorridaNivel>(nivel, 1));
    emUso.push_back(false);
    inicial = corridas.back()->estado(0);
}

CorridaNivel& ReservaCorridas::tomar(int quadro, const EstadoRunner& estado) {
    int escolhida = -1;  // free, furthest along but not past `quadro`
    int trocar = -1;     // free, to build again if none is: a finished one, else the furthest along
    bool trocarAcabada = false;
    for (std::size_t i = 0; i < corridas.size(); ++i) {
        if (emUso[i]) continue;
        const int q = corridas[i]->getQuadro();
        const int indice = static_cast<int>(i);
        if (corridas[i]->isAcabada()) {
            trocar = indice;
            trocarAcabada = true;
            continue;
        }
        if (q <= quadro && (escolhida < 0 || q > corridas[static_cast<std::size_t>(escolhida)]->getQuadro()))
            escolhida = indice;
        if (!trocarAcabada && (trocar < 0 || q > corridas[static_cast<std::size_t>(trocar)]->getQuadro()))
            trocar = indice;
    }
    if (escolhida < 0) {
        ++construidas;
        if (trocarAcabada || (corridas.size() >= MAX_CORRIDAS && trocar >= 0)) {
            auto& velha = corridas[static_cast<std::size_t>(trocar)];
            velha.reset();  // its memory goes to the new one
            velha = std::make_unique<CorridaNivel>(nivel, 1);
            escolhida = trocar;
        } else {
            corridas.push_back(std::make_unique<CorridaNivel>(nivel, 1));
            emUso.push_back(false);
            escolhida = static_cast<int>(corridas.size()) - 1;
        }
    }
    const auto i = static_cast<std::size_t>(escolhida);
    emUso[i] = true;
    CorridaNivel& corrida = *corridas[i];
    if (corrida.getQuadro() < quadro) {
        // Its runner sits the catch-up out: racing on, it could win and
        // then drop out, which ends the level and stops the view for good.
        EstadoRunner velho = corrida.estado(0);
        velho.ativo = false;
        velho.winner = false;
        corrida.assumir(0, velho);
        while (corrida.getQuadro() < quadro) corrida.avancar();
    }
    corrida.assumir(0, estado);
    return corrida;
}

void ReservaCorridas::devolver(CorridaNivel& corrida) {
    for (std::size_t i = 0; i < corridas.size(); ++i)
        if (corridas[i].get() == &corrida) emUso[i] = false;
}

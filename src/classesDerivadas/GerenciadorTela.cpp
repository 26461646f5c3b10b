#include "classesDerivadas/GerenciadorTela.h"

#include "classesBasicas/Colisor.h"
#include "classesDerivadas/BoostTela.h"
#include "dados/Figuras.h"
#include "dados/Medidas.h"

GerenciadorTela::GerenciadorTela()
    : Objeto(figuras::PIXEL_TRANSPARENTE, Ponto(0, medidas::ALTURA_TELA), 0, medidas::ALTURA_TELA, true) {
    velHorizontal = 1.0;
}

GerenciadorTela::~GerenciadorTela() = default;

bool GerenciadorTela::checaColisao(int cor) {
    return cor != Colisor::getCorLivre() && cor != Colisor::getCorTerreno();
}

void GerenciadorTela::trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao) {
    double vHor = getVelHorizontal();
    double vVer = getVelVertical();
    if (colisor != TERRENO && colisor->getNome() == "boostTela" && direcao == DIREITA)
        vHor = static_cast<double>(static_cast<BoostTela*>(colisor)->getVelocidade());
    setPosicao(novaPosicao);
    setVelHorizontal(vHor);
    setVelVertical(vVer);
}

#include "classesDerivadas/Runner.h"

#include "classesBasicas/Efeitos.h"

#include <allegro.h>

#include <cmath>
#include <utility>

Runner::Runner(std::string bitmap, Ponto posicao, int largura, int altura, bool voador,
               int numPlayer)
    : Objeto(std::move(bitmap), posicao, largura, altura, voador), numPlayer(numPlayer) {
    // The loaded sheet moves aside; `bitmap` becomes the frame the level draws.
    // Without a sheet, or memory for a frame, the runner races unseen.
    bitmapBase = this->bitmap;
    if (bitmapBase) quadro.reset(create_bitmap(largura, altura));
    this->bitmap = quadro.get();
    quadroAtual = 0;
    noChaoAnterior = isNoChao();
}

Runner::~Runner() = default;

int Runner::getNumPlayer() const { return numPlayer; }

void Runner::trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao) {
    double vHor = getVelHorizontal();
    double vVer = getVelVertical();
    // Meeting anything on a vertical step is landing, on the floor or, with
    // gravity flipped, on the ceiling.
    if (direcao == CIMA || direcao == BAIXO) {
        vVer = 0.0;
        setNoChao(true);
    }
    if (colisor != TERRENO) {
        std::string nomeColisor = colisor->getNome();
        if (nomeColisor == "boost") {
            if (direcao == BAIXO) vHor = getVelHorizontal() >= 0 ? 50.0 : -50.0;
        } else if (nomeColisor == "linhaChegada" && direcao == DIREITA) {
            if (!isWinner()) Efeitos::tocar(sons::Efeito::CHEGADA, numPlayer);
            setWinner(true);
            setPosicao(novaPosicao);
        } else if (nomeColisor != "player" && nomeColisor != "linhaChegada") {
            setPosicao(novaPosicao);
        }
    }
    setVelHorizontal(vHor);
    setVelVertical(vVer);
}

void Runner::copiarQuadro(bool chao, int quadro) {
    if (!bitmapBase || !bitmap) return;
    int topo = chao ? 0 : altura + 2;
    blit(bitmapBase, bitmap, quadro * largura, topo, 0, 0, largura, altura);
}

void Runner::atualizaBitmap() {
    if (cronometroBitmap.isParado()) {
        cronometroBitmap.iniciar();
        copiarQuadro(isNoChao(), 0);
        return;
    }
    const bool chao = isNoChao();
    // Faster runners change frames sooner.
    double limite = 40.0 / (std::fabs(getVelHorizontal() / 10.0) + 0.1);
    if (noChaoAnterior == chao && static_cast<double>(cronometroBitmap.getMedicao()) <= limite)
        return;
    ++quadroAtual;
    cronometroBitmap.resetar();
    noChaoAnterior = chao;
    copiarQuadro(chao, chao ? quadroAtual % QUADROS_CHAO : quadroAtual % QUADROS_AR);
}

void Runner::comportamentoPadrao() { atualizaBitmap(); }

void Runner::mostrarTeclaControle() {}

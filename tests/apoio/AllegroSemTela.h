#pragma once

#include "PastaTemporaria.h"

#include "prova/SemTela.h"

#include <string>

struct BITMAP;

// What the headless tests add to the level prover's Allegro without a
// window (prova/SemTela.h, whose hand-moved clock is the tests' clock):
// Allegro's real timer, pictures written to files, a game folder of one's own.
namespace semTela {

// Idempotent. With `comTimer`, Allegro's real timer thread is installed too,
// for tests of the key callbacks.
void iniciar(bool comTimer = false);

// Writes `bitmap` as a BMP file; false on failure.
bool salvar(const std::string& caminho, BITMAP* bitmap);

// A fresh temporary folder, made the working directory for the object's
// life (level pictures kept from other folders are let go), holding "src/Img/Jogo/pixelTransparente.bmp" and a runner sheet at
// "src/Img/Jogo/player 1a.bmp" whose frames are told apart by colour (see
// corQuadroTeste), as the game's pictures would be.
class PastaDeTrabalho {
public:
    PastaDeTrabalho();
    ~PastaDeTrabalho();
    PastaDeTrabalho(const PastaDeTrabalho&) = delete;
    PastaDeTrabalho& operator=(const PastaDeTrabalho&) = delete;

    std::string caminho() const { return pasta_.caminho().string(); }

private:
    PastaTemporaria pasta_{"avesso-teste"};
    std::string anterior_;
};

// The colour of the test sheet's frame: ground frames 0..4, air frames 0..3.
int corQuadroTeste(bool chao, int quadro);

}  // namespace semTela

#pragma once

#include <string>

struct BITMAP;

// Allegro for tests that run without a window: the display-less system
// driver, 32-bit colour laid out as in the game's real window, `screen` a
// 640 x 480 memory bitmap, and a stopwatch clock the test moves by hand.
namespace semTela {

// Idempotent. With `comTimer`, Allegro's real timer thread is installed too,
// for tests of the key callbacks.
void iniciar(bool comTimer = false);

// The test clock: `usarRelogioFalso` makes every Cronometro read it (starting
// at an arbitrary non-zero moment); `avancar` moves it; `usarRelogioReal`
// goes back to the monotonic clock.
void usarRelogioFalso();
void avancar(long long ms);
void usarRelogioReal();

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

    const std::string& caminho() const { return caminho_; }

private:
    std::string caminho_;
    std::string anterior_;
};

// The colour of the test sheet's frame: ground frames 0..4, air frames 0..3.
int corQuadroTeste(bool chao, int quadro);

}  // namespace semTela

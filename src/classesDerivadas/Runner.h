#pragma once

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Objeto.h"
#include "classesBasicas/Recursos.h"
#include "dados/Medidas.h"

// A player's character: pulled to the floor or, flipped, to the ceiling,
// carried right by the view, standing on terrain and on other runners, and
// animated from a sprite sheet of a running row and an airborne row.
class Runner : public Objeto {
public:
    // `bitmap` is the path of the sprite sheet.
    Runner(std::string bitmap, Ponto posicao, int largura, int altura, bool voador, int numPlayer);
    ~Runner() override;

    int getNumPlayer() const;
    void trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao) override;
    // Copies the animation frame for this moment into the frame picture.
    void atualizaBitmap();
    void comportamentoPadrao() override;
    void mostrarTeclaControle();

    static constexpr int QUADROS_CHAO = medidas::QUADROS_CHAO;  // running frames, top row of the sheet
    static constexpr int QUADROS_AR = medidas::QUADROS_AR;      // airborne frames, altura + 2 rows lower

private:
    void copiarQuadro(bool chao, int quadro);

    const int numPlayer;                // 1 for the first player
    BITMAP* bitmapBase = nullptr;       // the sprite sheet, as loaded; null when missing
    recursos::Bitmap quadro;            // the frame picture made for `bitmap`
    int quadroAtual = 0;                // frame counter, shared by both rows
    bool noChaoAnterior = false;        // ground flag at the last frame change
    Cronometro cronometroBitmap;        // time since the last frame change
};

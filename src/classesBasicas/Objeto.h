#pragma once

#include "classesBasicas/Cronometro.h"
#include "classesBasicas/Ponto.h"
#include "classesBasicas/Recursos.h"

#include <atomic>
#include <string>

struct BITMAP;

// Anything that lives in a level: it has a picture, a collision box whose
// bottom-left corner is `posicao`, velocities and a gravity sign, and it moves
// one pixel at a time against the level's collision picture.
class Objeto {
public:
    enum DirecaoMovimento { CIMA = 0, DIREITA = 1, BAIXO = 2, ESQUERDA = 3 };
    enum Vertice { INF_DIR = 0, INF_ESQ = 1, SUP_DIR = 2, SUP_ESQ = 3 };

    // `bitmap` is the path of the object's picture. The box covers columns
    // x .. x + largura and rows y - altura .. y, both ends included.
    Objeto(std::string bitmap, Ponto posicao, int largura, int altura, bool voador);
    Objeto();
    virtual ~Objeto();

    Objeto(const Objeto&) = delete;
    Objeto& operator=(const Objeto&) = delete;

    // Whether a collision-picture pixel of colour `cor` stops this object:
    // everything but free space (white) does.
    virtual bool checaColisao(int cor);
    // Called by `mover` when a step met something (TERRENO or an object); the
    // step is taken only if the handler moves the object to `novaPosicao`.
    virtual void trataColisao(DirecaoMovimento direcao, Objeto* colisor, Ponto novaPosicao);
    // Per-frame behaviour, run just before the object moves.
    virtual void comportamentoPadrao();

    Ponto getVertice(Vertice vertice, Ponto pontoRef) const;
    // Walks an edge from the first point to the second: null when nothing
    // blocks, TERRENO for solid ground, or the object met.
    Objeto* checaBorda(Ponto inicio, Ponto fim);
    // One-pixel step; true when the object now stands at the new position.
    bool mover(DirecaoMovimento direcao);

    // The player's flip, safe against the frame loop reading the sign.
    void inverterGravidade();

    Ponto getPosicao() const;
    void setPosicao(Ponto posicao);
    int getLargura() const;
    void setLargura(int largura);
    int getAltura() const;
    void setAltura(int altura);
    double getVelHorizontal() const;
    void setVelHorizontal(double velHorizontal);
    double getVelVertical() const;
    void setVelVertical(double velVertical);
    int getSinalGravidade() const;
    void setSinalGravidade(int sinalGravidade);
    int getCorColisao() const;
    void setCorColisao(int corColisao);
    std::string getNome() const;
    void setNome(std::string nome);
    std::string getSuperficie() const;
    void setSuperficie(std::string superficie);
    BITMAP* getBitmap() const;
    // The picture drawn for the object. The caller keeps what it hands in;
    // the object releases only the picture it loaded itself.
    void setBitmap(BITMAP* bitmap);
    Cronometro& getCronometro();
    void setCronometro(Cronometro cronometro);
    bool isAtivo() const;
    void setAtivo(bool ativo);
    bool isVoador() const;
    void setVoador(bool voador);
    bool isNoChao() const;
    void setNoChao(bool noChao);
    bool isWinner() const;
    void setWinner(bool winner);

protected:
    Cronometro cronometro;              // gravity timer, driven by Fisica
    std::string nome;                   // kind name given on registration ("player", ...)
    BITMAP* bitmap = nullptr;           // drawn for the object; null when there is none
    // Flipped by the key timer thread while the frame loop reads it.
    std::atomic<int> sinalGravidade{1};  // +1 pulls down, -1 pulls up
    int corColisao = 0;                 // unique colour in the collision picture
    Ponto posicao;                      // bottom-left corner of the box
    int largura = 0;
    int altura = 0;
    double velHorizontal = 0.0;         // pixels per frame, negative is leftward
    double velVertical = 0.0;           // pixels per frame, negative is upward
    bool ativo = true;
    bool voador = false;                // gravity does not act on it
    // Read by the key timer thread to decide whether a flip is allowed.
    std::atomic<bool> noChao{false};    // rests against something in its gravity's direction
    bool winner = false;
    std::string superficie;

private:
    recursos::Bitmap carregado;         // the picture loaded from the constructor's path
};

// What edge probes report, and handlers receive, for solid terrain. Never
// dereferenced.
Objeto* const TERRENO = reinterpret_cast<Objeto*>(1);

#pragma once

#include "dados/Medidas.h"

#include <map>
#include <string>

struct BITMAP;
class Objeto;
class GerenciadorTela;

// One level in play: its visual and collision pictures, working copies of
// both in which the objects are drawn, the tables of registered objects and
// the screen manager that carries the view. Owns all of them, the registered
// objects included.
class Mapa {
public:
    // Throws the int 1 when the visual picture cannot be loaded or is smaller
    // than `comprimento` x ALTURA, 2 when the collision picture is, and
    // std::bad_alloc when memory runs out; whatever it built is released.
    // `listaDeObjetos`, if given, is adopted. An empty `mapaVisual` makes a
    // map that is raced but never shown, as the level prover plays it: no
    // visual picture or buffer, nothing copied to the game's picture, and
    // every collision exactly as in a shown map.
    Mapa(std::string mapaVisual, std::string mapaColisao, int comprimento,
         std::map<int, Objeto*>* listaDeObjetos);
    virtual ~Mapa();

    Mapa(const Mapa&) = delete;
    Mapa& operator=(const Mapa&) = delete;

    // Registers `objeto` under the next collision colour of the program and
    // takes ownership of it.
    void inserirObjeto(std::string nome, Objeto* objeto, bool isHeroi);
    // Restores the clean collision picture over the object's rectangle.
    void apagarObjetoColisao(Objeto* objeto);
    // One frame, its view copied into the game's picture (Tela); true when
    // every runner is out and none has won.
    bool atualizarMapa();
    bool isOver() const;
    // The screen manager: its x is the view's left edge after the last frame.
    const Objeto& getGerenciadorTela() const;

    // Whether a runner has left the race: its box wholly left of the view
    // that starts at column `xVista`, or off the top or the bottom.
    static bool isForaDaVista(const Objeto& runner, int xVista);
    static bool isForaDaAltura(const Objeto& runner);

    static constexpr int ALTURA = medidas::ALTURA_TELA;
    static constexpr int LARGURA_TELA = medidas::LARGURA_TELA;

private:
    void desenharObjeto(Objeto* objeto);
    void liberar();
    // The parts of a frame, after the view has moved to column `xVista`.
    void moverObjetos(int xVista);
    int moverRunners(int xVista);  // returns how many are still in the race
    bool decidirFim();             // everyone is out: true when nobody won

    BITMAP* mapaVisual = nullptr;      // as loaded; the clean source of the visible window
    BITMAP* mapaColisao = nullptr;     // as loaded; the clean source for erasing
    BITMAP* bufferVisual = nullptr;    // objects drawn over the level
    BITMAP* bufferColisao = nullptr;   // objects painted in their collision colours
    std::map<int, Objeto*>* listaDeObjetos = nullptr;  // colour -> everything but runners
    std::map<int, Objeto*>* listaDePlayers = nullptr;  // colour -> runners
    GerenciadorTela* gerenciadorTela = nullptr;        // its x is the view's left edge
    int comprimento = 0;
    bool over = false;                 // the level ended with a winner
};

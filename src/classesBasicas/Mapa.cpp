#include "classesBasicas/Mapa.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Efeitos.h"
#include "classesBasicas/FigurasNivel.h"
#include "classesBasicas/Fisica.h"
#include "classesBasicas/Imagem.h"
#include "classesBasicas/Objeto.h"
#include "classesBasicas/Tela.h"
#include "classesDerivadas/GerenciadorTela.h"

#include <allegro.h>

#include <new>

namespace {

// A level picture that covers the level, or the int `erro`. One that falls
// short would leave the rest of a buffer unpainted, and unpainted collision
// reads as solid. A whole file that yields no picture means memory ran out.
BITMAP* carregarFiguraDoNivel(const std::string& caminho, int comprimento, int erro) {
    BITMAP* figura = FigurasNivel::criar(caminho);
    if (!figura) {
        if (Imagem::isBmpIntegro(caminho)) throw std::bad_alloc();
        throw erro;
    }
    if (figura->w < comprimento || figura->h < Mapa::ALTURA) {
        destroy_bitmap(figura);
        throw erro;
    }
    return figura;
}

}  // namespace

Mapa::Mapa(std::string mapaVisual, std::string mapaColisao, int comprimento,
           std::map<int, Objeto*>* listaDeObjetos)
    : comprimento(comprimento) {
    // Until the map is whole, a failure releases what it built and leaves a
    // table handed in with its caller; the map adopts the table last.
    try {
        // A retry finds its level's pictures already decoded.
        FigurasNivel::manterApenas(mapaVisual, mapaColisao);
        this->mapaVisual = carregarFiguraDoNivel(mapaVisual, comprimento, 1);
        this->mapaColisao = carregarFiguraDoNivel(mapaColisao, comprimento, 2);
        bufferColisao = FigurasNivel::criarBitmap(comprimento, ALTURA);
        bufferVisual = FigurasNivel::criarBitmap(comprimento, ALTURA);
        if (!bufferColisao || !bufferVisual) throw std::bad_alloc();
        draw_sprite(bufferVisual, this->mapaVisual, 0, 0);
        draw_sprite(bufferColisao, this->mapaColisao, 0, 0);
        listaDePlayers = new std::map<int, Objeto*>();
        gerenciadorTela = new GerenciadorTela();
        this->listaDeObjetos = listaDeObjetos ? listaDeObjetos : new std::map<int, Objeto*>();
    } catch (...) {
        liberar();
        throw;
    }
    over = false;
}

Mapa::~Mapa() { liberar(); }

void Mapa::liberar() {
    // Colisor borrows the buffer and tables of the map being played: it must
    // not be left pointing into this one.
    if (Colisor::getMapaColisao() == bufferColisao && bufferColisao) Colisor::setMapaColisao(nullptr);
    if (Colisor::getListaDeObjetos() == listaDeObjetos) Colisor::setListaDeObjetos(nullptr);
    if (Colisor::getListaDePlayers() == listaDePlayers) Colisor::setListaDePlayers(nullptr);
    if (bufferColisao) destroy_bitmap(bufferColisao);
    if (bufferVisual) destroy_bitmap(bufferVisual);
    if (mapaColisao) destroy_bitmap(mapaColisao);
    if (mapaVisual) destroy_bitmap(mapaVisual);
    bufferColisao = bufferVisual = mapaColisao = mapaVisual = nullptr;
    for (auto* tabela : {listaDeObjetos, listaDePlayers}) {
        if (!tabela) continue;
        for (auto& par : *tabela) delete par.second;
        delete tabela;
    }
    listaDeObjetos = listaDePlayers = nullptr;
    delete gerenciadorTela;
    gerenciadorTela = nullptr;
}

void Mapa::inserirObjeto(std::string nome, Objeto* objeto, bool isHeroi) {
    // One counter for the whole program, so no colour is ever given twice,
    // whichever map or table the object goes to.
    static int i = 0;
    static int j = 0;
    static int k = 1;
    k = k + 1;
    if (k > 255) {
        k = 0;
        j = j + 1;
        if (j > 255) {
            j = 0;
            i = i + 1;
        }
    }
    int cor = makecol(i, j, k);
    (isHeroi ? listaDePlayers : listaDeObjetos)->insert({cor, objeto});
    objeto->setCorColisao(cor);
    objeto->setNome(nome);
}

void Mapa::desenharObjeto(Objeto* objeto) {
    BITMAP* bitmapDoObjeto = objeto->getBitmap();
    int x = objeto->getPosicao().getX();
    int y = objeto->getPosicao().getY();
    int largura = objeto->getLargura();
    int altura = objeto->getAltura();
    // A picture that could not be loaded is skipped; the object still
    // collides.
    if (bitmapDoObjeto) {
        if (objeto->getSinalGravidade() < 0 && objeto->isNoChao())
            draw_sprite_v_flip(bufferVisual, bitmapDoObjeto, x, y - altura);
        else
            draw_sprite(bufferVisual, bitmapDoObjeto, x, y - altura);
    }
    rectfill(bufferColisao, x, y - altura, x + largura, y, objeto->getCorColisao());
}

void Mapa::apagarObjetoColisao(Objeto* objeto) {
    int x = objeto->getPosicao().getX();
    int y = objeto->getPosicao().getY();
    int largura = objeto->getLargura();
    int altura = objeto->getAltura();
    blit(mapaColisao, bufferColisao, x, y - altura, x, y - altura, largura + 1, altura + 1);
}

bool Mapa::atualizarMapa() {
    Colisor::setListaDeObjetos(listaDeObjetos);
    Colisor::setListaDePlayers(listaDePlayers);
    Colisor::setMapaColisao(bufferColisao);

    // The camera first, so everything is judged against the window it is shown in.
    Fisica::aplicarMovimentos(*gerenciadorTela);
    const int gx = gerenciadorTela->getPosicao().getX();

    blit(mapaVisual, bufferVisual, gx, 0, gx, 0, LARGURA_TELA, ALTURA);
    moverObjetos(gx);
    const bool todosForaSemVencedor = moverRunners(gx) == 0 && decidirFim();
    blit(bufferVisual, Tela::logica(), gx, 0, 0, 0, LARGURA_TELA, ALTURA);
    return todosForaSemVencedor;
}

void Mapa::moverObjetos(int xVista) {
    for (auto& par : *listaDeObjetos) {
        Objeto* objeto = par.second;
        if (objeto->getPosicao().getX() + objeto->getLargura() < xVista) objeto->setAtivo(false);
        apagarObjetoColisao(objeto);
        if (objeto->isAtivo()) {
            objeto->comportamentoPadrao();
            Colisor::setMapaColisao(bufferColisao);
            Fisica::aplicarMovimentos(*objeto);
            desenharObjeto(objeto);
        }
    }
}

int Mapa::moverRunners(int xVista) {
    int naCorrida = 0;
    for (auto& par : *listaDePlayers) {
        Objeto* runner = par.second;
        if (runner->isAtivo() && isForaDaVista(*runner, xVista)) {
            runner->setAtivo(false);
            // A winner leaving the view has finished, not dropped out.
            if (!runner->isWinner()) Efeitos::tocar(sons::Efeito::FORA);
        }
        apagarObjetoColisao(runner);
        if (!runner->isAtivo()) continue;
        ++naCorrida;
        // Behind the middle of the view: a little faster, to catch up.
        const double velocidadeTela = gerenciadorTela->getVelHorizontal();
        const bool atras = runner->getPosicao().getX() < xVista - runner->getLargura() + LARGURA_TELA / 2;
        runner->setVelHorizontal(atras ? velocidadeTela + 1.0 : velocidadeTela);
        runner->comportamentoPadrao();
        Colisor::setMapaColisao(bufferColisao);
        Fisica::aplicarMovimentos(*runner);
        desenharObjeto(runner);
    }
    return naCorrida;
}

bool Mapa::decidirFim() {
    for (auto& par : *listaDePlayers) {
        if (par.second->isWinner()) {
            // The view stops for good: the level is over.
            over = true;
            gerenciadorTela->setVelHorizontal(0.0);
            return false;
        }
    }
    return true;
}

bool Mapa::isOver() const { return over; }

bool Mapa::isForaDaVista(const Objeto& runner, int xVista) {
    return runner.getPosicao().getX() + runner.getLargura() < xVista || isForaDaAltura(runner);
}

bool Mapa::isForaDaAltura(const Objeto& runner) {
    const int y = runner.getPosicao().getY();
    return y < 0 || y - runner.getAltura() > ALTURA;
}

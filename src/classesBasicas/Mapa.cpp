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

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// The frame erases and fills every object's rectangle of the collision
// buffer, the screen-high columns that set the view's speed included.
// Allegro's blit and rectfill switch banks and call out for every row,
// which for those columns was most of a frame; 32-bit memory bitmaps (what
// a level's are) are written here row by row instead, the same pixels.
bool isLinear32(BITMAP* b) { return b && bitmap_color_depth(b) == 32 && is_memory_bitmap(b); }

// Rectangle [x0, x1] x [y0, y1], corners included, cut to `b`'s clipping
// rectangle, as Allegro cuts what it draws; false when nothing is left.
bool recortar(const BITMAP* b, int& x0, int& y0, int& x1, int& y1) {
    x0 = std::max(x0, b->cl);
    y0 = std::max(y0, b->ct);
    x1 = std::min(x1, b->cr - 1);
    y1 = std::min(y1, b->cb - 1);
    return x0 <= x1 && y0 <= y1;
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
        const bool mostrado = !mapaVisual.empty();
        if (mostrado) this->mapaVisual = carregarFiguraDoNivel(mapaVisual, comprimento, 1);
        this->mapaColisao = carregarFiguraDoNivel(mapaColisao, comprimento, 2);
        bufferColisao = FigurasNivel::criarBitmap(comprimento, ALTURA);
        if (mostrado) bufferVisual = FigurasNivel::criarBitmap(comprimento, ALTURA);
        if (!bufferColisao || (mostrado && !bufferVisual)) throw std::bad_alloc();
        if (mostrado) draw_sprite(bufferVisual, this->mapaVisual, 0, 0);
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
    // A picture that could not be loaded is skipped, and a map never shown
    // draws none; the object still collides.
    if (bitmapDoObjeto && bufferVisual) {
        if (objeto->getSinalGravidade() < 0 && objeto->isNoChao())
            draw_sprite_v_flip(bufferVisual, bitmapDoObjeto, x, y - altura);
        else
            draw_sprite(bufferVisual, bitmapDoObjeto, x, y - altura);
    }
    if (!isLinear32(bufferColisao)) {
        rectfill(bufferColisao, x, y - altura, x + largura, y, objeto->getCorColisao());
        return;
    }
    int x0 = x, y0 = y - altura, x1 = x + largura, y1 = y;
    if (!recortar(bufferColisao, x0, y0, x1, y1)) return;
    const auto cor = static_cast<uint32_t>(objeto->getCorColisao());
    for (int linha = y0; linha <= y1; ++linha) {
        uint32_t* pixels = reinterpret_cast<uint32_t*>(bufferColisao->line[linha]);
        std::fill(pixels + x0, pixels + x1 + 1, cor);
    }
}

void Mapa::apagarObjetoColisao(Objeto* objeto) {
    int x = objeto->getPosicao().getX();
    int y = objeto->getPosicao().getY();
    int largura = objeto->getLargura();
    int altura = objeto->getAltura();
    if (!isLinear32(bufferColisao) || !isLinear32(mapaColisao)) {
        blit(mapaColisao, bufferColisao, x, y - altura, x, y - altura, largura + 1, altura + 1);
        return;
    }
    int x0 = x, y0 = y - altura, x1 = x + largura, y1 = y;
    // Inside the clean picture as well as the buffer's clipping rectangle.
    x1 = std::min(x1, mapaColisao->w - 1);
    y1 = std::min(y1, mapaColisao->h - 1);
    if (!recortar(bufferColisao, x0, y0, x1, y1)) return;
    const auto bytes = static_cast<size_t>(x1 - x0 + 1) * sizeof(uint32_t);
    for (int linha = y0; linha <= y1; ++linha) {
        uint32_t* destino = reinterpret_cast<uint32_t*>(bufferColisao->line[linha]) + x0;
        const uint32_t* origem = reinterpret_cast<const uint32_t*>(mapaColisao->line[linha]) + x0;
        // A column a pixel wide is one pixel a row: no call for it.
        if (x1 == x0)
            *destino = *origem;
        else
            std::memcpy(destino, origem, bytes);
    }
}

bool Mapa::atualizarMapa() {
    Colisor::setListaDeObjetos(listaDeObjetos);
    Colisor::setListaDePlayers(listaDePlayers);
    Colisor::setMapaColisao(bufferColisao);

    // The camera first, so everything is judged against the window it is shown in.
    Fisica::aplicarMovimentos(*gerenciadorTela);
    const int gx = gerenciadorTela->getPosicao().getX();

    if (bufferVisual) blit(mapaVisual, bufferVisual, gx, 0, gx, 0, LARGURA_TELA, ALTURA);
    moverObjetos(gx);
    const bool todosForaSemVencedor = moverRunners(gx) == 0 && decidirFim();
    if (bufferVisual) blit(bufferVisual, Tela::logica(), gx, 0, 0, 0, LARGURA_TELA, ALTURA);
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

const Objeto& Mapa::getGerenciadorTela() const { return *gerenciadorTela; }

bool Mapa::isForaDaVista(const Objeto& runner, int xVista) {
    return runner.getPosicao().getX() + runner.getLargura() < xVista || isForaDaAltura(runner);
}

bool Mapa::isForaDaAltura(const Objeto& runner) {
    const int y = runner.getPosicao().getY();
    return y < 0 || y - runner.getAltura() > ALTURA;
}

#include "classesBasicas/Objeto.h"

#include "classesBasicas/Colisor.h"
#include "classesBasicas/Imagem.h"

#include <allegro.h>

#include <utility>

Objeto::Objeto(std::string bitmap, Ponto posicao, int largura, int altura, bool voador)
    : bitmap(Imagem::carregar(bitmap)),
      posicao(posicao),
      largura(largura),
      altura(altura),
      voador(voador),
      carregado(this->bitmap) {}

Objeto::Objeto() = default;

Objeto::~Objeto() = default;

bool Objeto::checaColisao(int cor) { return cor != Colisor::getCorLivre(); }

void Objeto::trataColisao(DirecaoMovimento, Objeto*, Ponto) {}

void Objeto::comportamentoPadrao() {}

Ponto Objeto::getVertice(Vertice vertice, Ponto pontoRef) const {
    int x = pontoRef.getX();
    int y = pontoRef.getY();
    switch (vertice) {
        case INF_DIR: return Ponto(x + largura, y);
        case INF_ESQ: return pontoRef;
        case SUP_DIR: return Ponto(x + largura, y - altura);
        case SUP_ESQ: return Ponto(x, y - altura);
    }
    return pontoRef;
}

Objeto* Objeto::checaBorda(Ponto inicio, Ponto fim) {
    const bool horizontal = inicio.getY() == fim.getY();
    // The walk stops at the first pixel that blocks; the pixel one step
    // further along decides what was met.
    Ponto p = inicio;
    bool bloqueou = false;
    if (horizontal) {
        for (int x = inicio.getX(); x <= fim.getX(); ++x) {
            p = Ponto(x, inicio.getY());
            if (checaColisao(Colisor::getColisao(p))) {
                bloqueou = true;
                break;
            }
        }
    } else {
        for (int y = inicio.getY(); y <= fim.getY(); ++y) {
            p = Ponto(inicio.getX(), y);
            if (checaColisao(Colisor::getColisao(p))) {
                bloqueou = true;
                break;
            }
        }
    }
    if (!bloqueou) return nullptr;

    Ponto vizinho = horizontal ? Ponto(p.getX() + 1, p.getY()) : Ponto(p.getX(), p.getY() + 1);
    int cor = Colisor::getColisao(vizinho);
    if (cor == Colisor::getCorTerreno()) return TERRENO;
    return Colisor::getObjetosColisao(cor);
}

bool Objeto::mover(DirecaoMovimento direcao) {
    setNoChao(false);
    Ponto novaPosicao = posicao;
    Ponto inicio, fim;
    switch (direcao) {
        case CIMA:
            novaPosicao.setY(posicao.getY() - 1);
            inicio = getVertice(SUP_ESQ, novaPosicao);
            fim = getVertice(SUP_DIR, novaPosicao);
            break;
        case DIREITA:
            novaPosicao.setX(posicao.getX() + 1);
            inicio = getVertice(SUP_DIR, novaPosicao);
            fim = getVertice(INF_DIR, novaPosicao);
            break;
        case BAIXO:
            novaPosicao.setY(posicao.getY() + 1);
            inicio = getVertice(INF_ESQ, novaPosicao);
            fim = getVertice(INF_DIR, novaPosicao);
            break;
        case ESQUERDA:
            novaPosicao.setX(posicao.getX() - 1);
            inicio = getVertice(SUP_ESQ, novaPosicao);
            fim = getVertice(INF_ESQ, novaPosicao);
            break;
    }

    Objeto* colisor = checaBorda(inicio, fim);
    if (colisor == nullptr) {
        posicao = novaPosicao;
        return true;
    }
    trataColisao(direcao, colisor, novaPosicao);
    return posicao == novaPosicao;
}

void Objeto::inverterGravidade() {
    int sinal = sinalGravidade.load();
    while (!sinalGravidade.compare_exchange_weak(sinal, -sinal)) {
    }
}

Ponto Objeto::getPosicao() const { return posicao; }
void Objeto::setPosicao(Ponto posicao) { this->posicao = posicao; }
int Objeto::getLargura() const { return largura; }
void Objeto::setLargura(int largura) { this->largura = largura; }
int Objeto::getAltura() const { return altura; }
void Objeto::setAltura(int altura) { this->altura = altura; }
double Objeto::getVelHorizontal() const { return velHorizontal; }
void Objeto::setVelHorizontal(double velHorizontal) { this->velHorizontal = velHorizontal; }
double Objeto::getVelVertical() const { return velVertical; }
void Objeto::setVelVertical(double velVertical) { this->velVertical = velVertical; }
// The flag and the sign only need to be whole when the other thread reads
// them; nothing else is published with them, so relaxed order will do and
// keeps every pixel step as cheap as a plain store.
int Objeto::getSinalGravidade() const { return sinalGravidade.load(std::memory_order_relaxed); }
void Objeto::setSinalGravidade(int sinalGravidade) {
    this->sinalGravidade.store(sinalGravidade, std::memory_order_relaxed);
}
int Objeto::getCorColisao() const { return corColisao; }
void Objeto::setCorColisao(int corColisao) { this->corColisao = corColisao; }
std::string Objeto::getNome() const { return nome; }
void Objeto::setNome(std::string nome) { this->nome = std::move(nome); }
std::string Objeto::getSuperficie() const { return superficie; }
void Objeto::setSuperficie(std::string superficie) { this->superficie = std::move(superficie); }
BITMAP* Objeto::getBitmap() const { return bitmap; }

void Objeto::setBitmap(BITMAP* bitmap) { this->bitmap = bitmap; }

Cronometro& Objeto::getCronometro() { return cronometro; }
void Objeto::setCronometro(Cronometro cronometro) { this->cronometro = cronometro; }
bool Objeto::isAtivo() const { return ativo; }
void Objeto::setAtivo(bool ativo) { this->ativo = ativo; }
bool Objeto::isVoador() const { return voador; }
void Objeto::setVoador(bool voador) { this->voador = voador; }
bool Objeto::isNoChao() const { return noChao.load(std::memory_order_relaxed); }
void Objeto::setNoChao(bool noChao) { this->noChao.store(noChao, std::memory_order_relaxed); }
bool Objeto::isWinner() const { return winner; }
void Objeto::setWinner(bool winner) { this->winner = winner; }

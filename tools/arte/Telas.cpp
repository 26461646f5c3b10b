#include "Telas.h"

#include "Cenario.h"
#include "Desenho.h"
#include "Personagens.h"

#include "dados/Leiaute.h"
#include "dados/Sons.h"
#include "dados/Paleta.h"
#include "dados/TeclasJogadores.h"

#include <algorithm>
#include <vector>

namespace telas {
namespace {

using namespace paleta;
using cenario::CONTORNO;
using cenario::DESTAQUE;
using cenario::PAINEL;
using cenario::PAINEL_LUZ;
using cenario::TECLA;
using cenario::TEXTO;

constexpr int W = cenario::LARGURA;
constexpr int H = cenario::ALTURA;
constexpr int CX = W / 2;

// The panel behind the main menu's items; where the game copies the items
// and the selection's pieces is in the game's layout.
constexpr int MENU_PAINEL_X0 = 116, MENU_PAINEL_Y0 = 282, MENU_PAINEL_X1 = 508, MENU_PAINEL_Y1 = 466;
using leiaute::ALGARISMO_SELECAO_X;
using leiaute::SLOT_LADO;
using leiaute::SLOT_PASSO;
using leiaute::SLOT_X;
using leiaute::SLOT_Y;
constexpr int LINHA_SELECAO_Y = leiaute::LINHA_JOGADORES;

// Text at a scale of 2, the size of every line of prose.
constexpr int PROSA = 2;
constexpr int LINHA_PROSA = 20;

void painelPadrao(Quadro& q, int x0, int y0, int x1, int y1) {
    desenho::painel(q, x0, y0, x1, y1, PAINEL, PAINEL_LUZ, CONTORNO);
}

// The picture of a text on the mask colour, cut to its ink.
Quadro tinta(const std::string& texto, uint32_t cor, int escala, bool sombreado) {
    Quadro q(Quadro::larguraTexto(texto, escala) + 2 * escala + 2, Quadro::alturaTexto(escala) + 2 * escala + 2,
             MASCARA);
    if (sombreado)
        desenho::escreverSombreado(q, 1, 1, texto, cor, CONTORNO, escala);
    else
        q.escrever(1, 1, texto, cor, escala);
    int x0 = q.largura(), y0 = q.altura(), x1 = -1, y1 = -1;
    for (int y = 0; y < q.altura(); ++y)
        for (int x = 0; x < q.largura(); ++x)
            if (q.cor(x, y) != MASCARA) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    return desenho::recortar(q, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
}

// An arrow pointing right: its flat side on column x, `meia` rows above and
// below `cy`, its tip `meia` columns further right.
void seta(Quadro& q, int x, int cy, int meia, uint32_t cor, uint32_t contorno) {
    for (int d = -1; d <= meia + 1; ++d) {
        int m = std::min(meia + 1, meia - d + 1);
        q.retangulo(x + d, cy - m, x + d, cy + m, contorno);
    }
    for (int d = 0; d <= meia; ++d) q.retangulo(x + d, cy - (meia - d), x + d, cy + (meia - d), cor);
}

// A sprite frame of runner `indice` (0..5), mirrored upside down when it runs
// on the ceiling, scaled by `fator`, drawn with its top-left at (x, y).
void corredor(Quadro& q, int indice, int quadro, bool teto, int fator, int x, int y) {
    const auto& p = personagens::elenco()[static_cast<size_t>(indice)];
    Quadro f = personagens::desenharQuadro(p, personagens::poseCorrida(quadro), true);
    if (teto) f = desenho::espelharVertical(f);
    q.copiar(desenho::ampliar(f, fator), x, y, true);
}

// A key drawn as a keycap with its name inside.
int tecla(Quadro& q, int x, int y, const std::string& nome) {
    const int margem = leiaute::margemTecla(PROSA), altura = leiaute::alturaTecla(PROSA);
    const int largura = Quadro::larguraTexto(nome, PROSA) + 2 * margem;
    q.retangulo(x, y, x + largura - 1, y + altura - 1, CONTORNO);
    q.retangulo(x + 1, y + 1, x + largura - 2, y + altura - 3, PAINEL_LUZ);
    q.retangulo(x + 1, y + 1, x + largura - 2, y + 1, paleta::NEVOA);
    q.escrever(x + margem, y + leiaute::topoTecla(PROSA), nome, TECLA, PROSA);
    return largura;
}

// Title at the top of a full screen, ESC hint at the bottom.
void cabecalho(Quadro& q, const std::string& titulo) { cenario::letreiro(q, titulo, CX, 26, 5, false); }

// "before [KEY] after" centred on the screen, the keycap's top at `y`.
void linhaComTecla(Quadro& q, int y, const std::string& antes, const std::string& nome,
                   const std::string& depois, uint32_t cor) {
    auto largura = [](const std::string& s) { return s.empty() ? 0 : Quadro::larguraTexto(s, PROSA) + 8; };
    int x = CX - (largura(antes) + Quadro::larguraTexto(nome, PROSA) + 2 * leiaute::margemTecla(PROSA) +
                  largura(depois)) / 2;
    if (!antes.empty()) x += q.escreverContornado(x, y + 3, antes, cor, CONTORNO, PROSA) + 8;
    x += tecla(q, x, y, nome) + 8;
    if (!depois.empty()) q.escreverContornado(x, y + 3, depois, cor, CONTORNO, PROSA);
}

void rodapeVoltar(Quadro& q) { linhaComTecla(q, 440, "", "ESC", ": BACK", TEXTO); }

// A role of the credits: label on the left, dots, name on the right.
void linhaPontilhada(Quadro& q, int x0, int x1, int y, const std::string& esquerda,
                     const std::string& direita) {
    int fim = x0 + q.escrever(x0, y, esquerda, DESTAQUE, PROSA);
    int inicio = x1 - Quadro::larguraTexto(direita, PROSA);
    q.escrever(inicio, y, direita, TEXTO, PROSA);
    for (int x = fim + 6; x < inicio - 6; x += 6) q.retangulo(x, y + 11, x + 1, y + 12, PAINEL_LUZ);
}

Quadro telaCheia(uint32_t semente) {
    Quadro q(W, H, NOITE);
    cenario::fundo(q, semente);
    return q;
}

}  // namespace

Quadro menu() {
    Quadro q = telaCheia(11);
    // Two runners on each side of the world, the title in between.
    corredor(q, 0, 1, true, 2, 22, cenario::FAIXA);
    corredor(q, 5, 3, true, 2, 534, cenario::FAIXA);
    corredor(q, 2, 0, false, 2, 14, H - cenario::FAIXA - 94);
    corredor(q, 3, 2, false, 2, 540, H - cenario::FAIXA - 94);
    cenario::letreiro(q, "AVESSO", CX, 40, 9, true);
    desenho::escreverCentrado(q, CX, 252, "A GRAVITY-FLIP RACE FOR 1 TO 6", TEXTO, CONTORNO, PROSA);
    painelPadrao(q, MENU_PAINEL_X0, MENU_PAINEL_Y0, MENU_PAINEL_X1, MENU_PAINEL_Y1);
    return q;
}

Quadro itemMenu(const std::string& texto, int largura, int altura, bool destaque) {
    Quadro q(largura, altura, destaque ? DESTAQUE : PAINEL);
    const int cy = altura / 2;
    if (destaque) {
        q.moldura(0, 0, largura - 1, altura - 1, CONTORNO);
        seta(q, 7, cy, 6, VINHO, CONTORNO);
        q.escrever(24, cy - 6, texto, CONTORNO, PROSA);
    } else {
        // A small diamond marks an item that is not chosen.
        for (int d = 0; d < 3; ++d) q.retangulo(10 - d, cy - (2 - d), 10 + d, cy + (2 - d), PAINEL_LUZ);
        q.escreverContornado(24, cy - 7, texto, TEXTO, CONTORNO, PROSA);
    }
    return q;
}

Quadro rotuloJogadores(bool destaque) {
    return itemMenu("PLAYERS", leiaute::ROTULO_JOGADORES.largura, leiaute::ROTULO_JOGADORES.altura, destaque);
}

Quadro algarismo(int n, bool destaque) {
    const int largura = leiaute::LARGURA_ALGARISMO[std::clamp(n, 1, 6) - 1];
    Quadro q(largura, leiaute::ALTURA_ITEM, PAINEL);
    if (destaque) {
        q.retangulo(0, 2, largura - 1, 30, CONTORNO);
        q.retangulo(1, 3, largura - 2, 29, DESTAQUE);
    }
    Quadro d = tinta(std::to_string(n), destaque ? CONTORNO : TEXTO, 3, !destaque);
    q.copiar(d, (largura - d.largura()) / 2, (leiaute::ALTURA_ITEM - d.altura()) / 2, true);
    return q;
}

Quadro creditos() {
    Quadro q = telaCheia(22);
    cabecalho(q, "CREDITS");
    painelPadrao(q, 70, 96, 570, 424);
    const int x0 = 96, x1 = 544;
    desenho::escreverCentrado(q, CX, 116, "AVESSO IS MADE BY", TEXTO, CONTORNO, PROSA);
    desenho::escreverCentrado(q, CX, 140, "THE AVESSO TEAM", DESTAQUE, CONTORNO, 3);
    int y = 190;
    for (const char* papel : {"CODE", "PICTURES", "LEVELS", "MUSIC"}) {
        linhaPontilhada(q, x0, x1, y, papel, "THE AVESSO TEAM");
        y += LINHA_PROSA + 4;
    }
    y += 16;
    desenho::escreverCentrado(q, CX, y, "BUILT ON", TEXTO, CONTORNO, PROSA);
    y += LINHA_PROSA + 8;
    linhaPontilhada(q, x0, x1, y, "ALLEGRO 4", "GAME LIBRARY");
    y += LINHA_PROSA + 4;
    linhaPontilhada(q, x0, x1, y, "GOOGLETEST", "TESTS");
    rodapeVoltar(q);
    return q;
}

Quadro instrucoes() {
    Quadro q = telaCheia(33);
    cabecalho(q, "HOW TO PLAY");
    painelPadrao(q, 30, 90, 610, 430);

    const std::vector<std::string> regras = {
        "THE VIEW SCROLLS RIGHT, CARRYING YOU.",
        "WHILE YOU STAND, YOUR KEY FLIPS GRAVITY:",
        "YOU FALL TO THE CEILING, OR BACK DOWN.",
        "FALL BEHIND THE VIEW, OR OFF THE TOP OR",
        "BOTTOM, AND YOU ARE OUT.",
        "CROSS THE FINISH LINE TO WIN!",
    };
    int y = 104;
    for (size_t i = 0; i < regras.size(); ++i) {
        // A bullet starts each rule; a wrapped line goes on without one.
        bool continua = i == 2 || i == 4;
        if (!continua) q.retangulo(50, y + 4, 55, y + 9, DESTAQUE);
        q.escrever(66, y, regras[i], TEXTO, PROSA);
        y += LINHA_PROSA;
    }
    q.retangulo(48, 230, 592, 230, PAINEL_LUZ);

    // The keys, each player's name in the player's colour; the game paints
    // this block again when the keys in use are others.
    const int topo = leiaute::REGRAS_TOPO, passo = leiaute::REGRAS_PASSO;
    for (int i = 0; i < teclasJogadores::COM_TECLA; ++i) {
        int jy = topo + i * passo;
        q.escreverContornado(leiaute::REGRAS_NOME_X, jy + leiaute::REGRAS_NOME_DY, "PLAYER " + std::to_string(i + 1),
                             cenario::corJogador(i + 1), CONTORNO, PROSA);
        tecla(q, leiaute::REGRAS_TECLA_X, jy, teclasJogadores::PADRAO[i].nome);
    }
    const int semTecla = topo + teclasJogadores::COM_TECLA * passo + leiaute::REGRAS_SEM_TECLA_DY;
    q.escrever(leiaute::REGRAS_NOME_X, semTecla, "RUNNERS 5 AND 6", paleta::NEVOA, PROSA);
    q.escrever(leiaute::REGRAS_NOME_X, semTecla + leiaute::REGRAS_LINHA, "HAVE NO KEY", paleta::NEVOA, PROSA);
    // The key that mutes everything, under the players': it acts on every screen.
    const int somLargura = tecla(q, leiaute::REGRAS_NOME_X, leiaute::REGRAS_SOM_Y, sons::TECLA_MUDO);
    q.escrever(leiaute::REGRAS_NOME_X + somLargura + 10, leiaute::REGRAS_SOM_Y + leiaute::topoTecla(PROSA),
               "SOUND ON/OFF", TEXTO, PROSA);

    // The other keys, on the right.
    struct Chave {
        const char* quem;
        const char* tecla;
    };
    const Chave outras[] = {{"PAUSE", "P"}, {"LEAVE LEVEL", "ESC"}, {"START", "ENTER"}};
    for (int i = 0; i < 3; ++i) {
        int jy = topo + i * passo;
        int largura = tecla(q, 390, jy, outras[i].tecla);
        q.escrever(390 + largura + 10, jy + 4, outras[i].quem, TEXTO, PROSA);
    }

    // A small picture of the flip: a runner on the floor, an arrow, and the
    // same runner standing on the ceiling.
    const int fx = 390, fTeto = 330, fChao = 414;
    cenario::faixaTerreno(q, fx, fTeto - 6, 592, fTeto - 1, true);
    cenario::faixaTerreno(q, fx, fChao + 1, 592, fChao + 6, false);
    corredor(q, 0, 2, false, 1, fx + 20, fChao - 46);
    corredor(q, 0, 4, true, 1, fx + 130, fTeto);
    for (int x = fx + 68; x < fx + 100; x += 5) q.retangulo(x, fChao - 26, x + 2, fChao - 24, DESTAQUE);
    q.retangulo(fx + 100, fTeto + 14, fx + 102, fChao - 24, DESTAQUE);
    for (int d = 0; d < 5; ++d) q.retangulo(fx + 101 - d, fTeto + 10 + d, fx + 101 + d, fTeto + 10 + d, DESTAQUE);

    rodapeVoltar(q);
    return q;
}

Quadro pausa() {
    Quadro q = telaCheia(44);
    desenho::velar(q, 0, cenario::FAIXA, W - 1, H - cenario::FAIXA - 1, NOITE);
    cenario::letreiro(q, "PAUSED", CX, 150, 8, true);
    painelPadrao(q, 170, 340, 470, 392);
    linhaComTecla(q, 356, "", "P", "TO CONTINUE", TEXTO);
    return q;
}

Quadro carregando() {
    Quadro q = telaCheia(55);
    cenario::letreiro(q, "AVESSO", CX, 96, 9, true);
    painelPadrao(q, 100, 300, 540, 416);
    desenho::escreverCentrado(q, CX, 318, "LOADING...", DESTAQUE, CONTORNO, 3);
    // A bar of blocks, half lit: the picture only has to say "wait".
    for (int i = 0; i < 12; ++i) {
        int x = 186 + i * 23;
        q.retangulo(x, 354, x + 18, 364, CONTORNO);
        q.retangulo(x + 1, 355, x + 17, 363, i < 6 ? TECLA : PAINEL_LUZ);
    }
    desenho::escreverCentrado(q, CX, 384, "TIP: YOU FLIP ONLY WHILE STANDING", TEXTO, CONTORNO, PROSA);
    return q;
}

Quadro parabens() {
    Quadro q = telaCheia(66);
    // A checkered finish band across the picture.
    for (int y = 128; y < 152; y += 8)
        for (int x = 0; x < W; x += 8)
            q.retangulo(x, y, x + 7, y + 7, ((x + y) / 8) % 2 ? BRANCO : NOITE);
    q.retangulo(0, 127, W - 1, 127, NOITE);
    q.retangulo(0, 152, W - 1, 152, NOITE);
    // Confetti in the players' colours.
    desenho::Sorteio s(77);
    for (int i = 0; i < 160; ++i) {
        int x = s.entre(0, W - 4), y = s.entre(cenario::FAIXA + 2, H - cenario::FAIXA - 6);
        uint32_t c = cenario::corJogador(s.entre(1, 6));
        if (s.entre(0, 1))
            q.retangulo(x, y, x + 2, y + 1, c);
        else
            q.retangulo(x, y, x + 1, y + 2, c);
    }
    cenario::letreiro(q, "CONGRATULATIONS!", CX, 50, 4, false);
    // A podium of terrain with the trophy and two runners on it.
    const int chao = 292;
    cenario::faixaTerreno(q, 90, chao, 550, chao + 11, false);
    const Quadro trofeu = desenho::deTexto({
        "..kkkkkkkkkkkk..",
        "kkkwyyyyyyyyokkk",
        "kykwyyyyyyyyokyk",
        "kykyyyyyyyyyokyk",
        "kykyyyyyyyyyokyk",
        ".kkkyyyyyyyookk.",
        "...kyyyyyyyook..",
        "....kkyyyyokk...",
        "......kyok......",
        "......kyok......",
        ".....kkyokk.....",
        "....kyyyyyok....",
        "...krrrrrrrrk...",
        "...krwwrrrrrk...",
        "...krrrrrrrrk...",
        "...kkkkkkkkkk...",
    });
    q.copiar(desenho::ampliar(trofeu, 7), CX - 56, chao - 16 * 7, true);
    corredor(q, 0, 1, false, 2, 130, chao - 94);
    corredor(q, 3, 3, false, 2, 420, chao - 94);
    painelPadrao(q, 110, 320, 530, 420);
    desenho::escreverCentrado(q, CX, 340, "THE FINISH LINE IS CROSSED!", TEXTO, CONTORNO, PROSA);
    linhaComTecla(q, 376, "PRESS", "ENTER", "", DESTAQUE);
    return q;
}

Quadro entrada() {
    Quadro q(W, H, MASCARA);
    // Below the runners' starting column (rows 55..337), so they show.
    const leiaute::Peca& painel = leiaute::PAINEL_ENTRADA;
    const int y0 = painel.y;
    painelPadrao(q, painel.x, y0, painel.x + painel.largura - 1, y0 + painel.altura - 1);
    desenho::escreverCentrado(q, CX, y0 + 14, "PRESS ENTER TO START", DESTAQUE, CONTORNO, 3);
    auto quem = [](int i) { return "P" + std::to_string(i + 1); };
    const auto& chaves = teclasJogadores::PADRAO;
    int largura = 0;
    for (int i = 0; i < teclasJogadores::COM_TECLA; ++i)
        largura += Quadro::larguraTexto(quem(i), PROSA) + 6 + Quadro::larguraTexto(chaves[i].nomeCurto, PROSA) +
                   2 * leiaute::margemTecla(PROSA) + 20;
    int x = CX - (largura - 20) / 2;
    // Keycaps in the middle of their band; the game repaints the
    // band the same way when the keys are others.
    const int y = leiaute::TECLAS_ENTRADA.y + (leiaute::TECLAS_ENTRADA.altura - leiaute::alturaTecla(PROSA)) / 2;
    for (int i = 0; i < teclasJogadores::COM_TECLA; ++i) {
        x += q.escreverContornado(x, y + 3, quem(i), cenario::corJogador(i + 1), CONTORNO, PROSA) + 6;
        x += tecla(q, x, y, chaves[i].nomeCurto) + 20;
    }
    // Enter starts the race, P and Escape act once it runs, the sound key
    // everywhere.
    desenho::escreverCentrado(q, CX, y0 + 84, std::string("P: PAUSE  ESC: LEAVE  ") + sons::TECLA_MUDO + ": SOUND ON/OFF",
                              paleta::NEVOA, CONTORNO, PROSA);
    return q;
}

Quadro selecao() {
    Quadro q = telaCheia(88);
    // The line-up: odd runners on a floor, even ones on the ceiling.
    const int chao = 262;
    cenario::faixaTerreno(q, 0, chao, W - 1, chao + 11, false);
    for (int i = 0; i < 6; ++i) {
        int x = 30 + i * 105;
        if (i % 2 == 0)
            corredor(q, i, i, false, 2, x, chao - 94);
        else
            corredor(q, i, i, true, 2, x, cenario::FAIXA);
    }
    cenario::letreiro(q, "AVESSO", CX, 118, 5, false);

    painelPadrao(q, SLOT_X - 12, LINHA_SELECAO_Y - 10, SLOT_X + 5 * SLOT_PASSO + SLOT_LADO + 11, 446);
    // "PLAYER [digit]  CHOOSE YOUR RUNNER": the game puts the digit in.
    Quadro rotulo = tinta("PLAYER", TEXTO, 3, true);
    q.copiar(rotulo, ALGARISMO_SELECAO_X - 10 - rotulo.largura(), LINHA_SELECAO_Y + (leiaute::ALTURA_ITEM - rotulo.altura()) / 2,
             true);
    q.escreverContornado(ALGARISMO_SELECAO_X + 36, LINHA_SELECAO_Y + 10, "CHOOSE YOUR RUNNER", DESTAQUE, CONTORNO,
                         PROSA);
    for (int i = 0; i < 6; ++i) {
        const auto& p = personagens::elenco()[static_cast<size_t>(i)];
        int cx = SLOT_X + i * SLOT_PASSO + SLOT_LADO / 2;
        desenho::escreverCentrado(q, cx, SLOT_Y + SLOT_LADO + 8, p.nome, TEXTO, CONTORNO, PROSA);
    }
    const std::string ajuda = "LEFT/RIGHT: CHOOSE   ENTER: CONFIRM   ESC: BACK";
    desenho::escreverCentrado(q, CX, 452, ajuda, TECLA, CONTORNO, PROSA);
    return q;
}

Quadro molduraVazia() {
    Quadro q(SLOT_LADO, SLOT_LADO, PAINEL);
    q.moldura(0, 0, SLOT_LADO - 1, SLOT_LADO - 1, CONTORNO);
    for (int i = 1; i <= 4; ++i) q.moldura(i, i, SLOT_LADO - 1 - i, SLOT_LADO - 1 - i, PAINEL_LUZ);
    q.moldura(1, 1, SLOT_LADO - 2, 1, paleta::NEVOA);
    return q;
}

Quadro cursor(int jogador) {
    Quadro q(SLOT_LADO, SLOT_LADO, PAINEL);
    const uint32_t cor = cenario::corJogador(jogador);
    q.moldura(0, 0, SLOT_LADO - 1, SLOT_LADO - 1, CONTORNO);
    for (int i = 1; i <= 4; ++i) q.moldura(i, i, SLOT_LADO - 1 - i, SLOT_LADO - 1 - i, cor);
    // As many dots as the player's number, for whoever tells colours apart poorly.
    int inicio = SLOT_LADO / 2 - (jogador * 4 - 2) / 2;
    for (int i = 0; i < jogador; ++i) q.retangulo(inicio + i * 4, 2, inicio + i * 4 + 1, 3, CONTORNO);
    // Corner studs make the cursor stand out from the empty frames.
    for (int cx : {0, SLOT_LADO - 5})
        for (int cy : {0, SLOT_LADO - 5}) q.retangulo(cx, cy, cx + 4, cy + 4, BRANCO);
    return q;
}

Quadro retrato(int personagem, bool ocupado) {
    constexpr int LADO = 70;
    Quadro q(LADO, LADO, PAINEL);
    desenho::degradeVertical(q, 0, 0, LADO - 1, LADO - 1, {{0.0, MARINHO}, {0.7, GRAFITE}, {1.0, NOITE}});
    const auto& p = personagens::elenco()[static_cast<size_t>(std::clamp(personagem, 1, 6) - 1)];
    // Head and shoulders of the first running frame, twice the size.
    Quadro f = personagens::desenharQuadro(p, personagens::poseCorrida(0), true);
    int topo = 0;
    while (topo < f.altura()) {
        bool vazia = true;
        for (int x = 0; x < f.largura() && vazia; ++x) vazia = f.cor(x, topo) == MASCARA;
        if (!vazia) break;
        ++topo;
    }
    Quadro busto = desenho::ampliar(desenho::recortar(f, 2, topo - 3, LADO / 2, LADO / 2), 2);
    q.copiar(busto, 0, 0, true);
    q.moldura(0, 0, LADO - 1, LADO - 1, CONTORNO);
    if (ocupado) {
        // Greyed out and crossed: this runner is someone else's.
        desenho::trocarCores(q, {{BRANCO, ARDOSIA}, {AREIA, ARDOSIA}, {LIMA, ARDOSIA}, {CIANO, ARDOSIA},
                                 {CELESTE, ARDOSIA}, {NEVOA, ARDOSIA}, {LARANJA, ARDOSIA}, {VINHO, GRAFITE},
                                 {VERDE, GRAFITE}, {AZUL, GRAFITE}, {ARDOSIA, GRAFITE}, {PETROLEO, GRAFITE},
                                 {AMEIXA, NOITE}, {MARINHO, NOITE}, {GRAFITE, NOITE}});
        for (int d = -3; d <= 3; ++d) {
            uint32_t c = std::abs(d) == 3 ? CONTORNO : VINHO;
            q.linha(8 + d, 8, LADO - 9 + d, LADO - 9, c);
            q.linha(LADO - 9 + d, 8, 8 + d, LADO - 9, c);
        }
        for (int d = -2; d <= 2; ++d) {
            q.linha(8 + d, 8, LADO - 9 + d, LADO - 9, VINHO);
            q.linha(LADO - 9 + d, 8, 8 + d, LADO - 9, VINHO);
        }
    }
    return q;
}

Quadro icone() {
    constexpr int LADO = 64, RAIO = 9, FAIXA = 6;
    Quadro q(LADO, LADO, MASCARA);
    desenho::degradeVertical(q, 0, 0, LADO - 1, LADO - 1, {{0.0, MARINHO}, {0.6, GRAFITE}, {1.0, NOITE}});
    cenario::faixaTerreno(q, 0, 0, LADO - 1, FAIXA - 1, true);
    cenario::faixaTerreno(q, 0, LADO - FAIXA, LADO - 1, LADO - 1, false);
    corredor(q, 0, 1, true, 1, 3, FAIXA);

    // The flip: an arrow pointing both ways between ceiling and floor.
    constexpr int PONTA = 5, ALTURA_SETA = 40;
    Quadro seta(2 * PONTA + 3, ALTURA_SETA + 2, MASCARA);
    const int cx = PONTA + 1;
    for (int d = 0; d <= PONTA; ++d) {
        seta.retangulo(cx - d, 1 + d, cx + d, 1 + d, DESTAQUE);
        seta.retangulo(cx - d, ALTURA_SETA - d, cx + d, ALTURA_SETA - d, DESTAQUE);
    }
    seta.retangulo(cx - 1, 1 + PONTA, cx + 1, ALTURA_SETA - PONTA, DESTAQUE);
    desenho::contornar(seta, CONTORNO);
    q.copiar(seta, LADO - seta.largura() - 2, (LADO - seta.altura()) / 2, true);

    // Rounded corners, with a dark rim inside the picture's edge.
    auto fora = [&](int x, int y) {
        if (x < 1 || y < 1 || x > LADO - 2 || y > LADO - 2) return true;
        const int dx = std::max({0, RAIO + 1 - x, x - (LADO - 2 - RAIO)});
        const int dy = std::max({0, RAIO + 1 - y, y - (LADO - 2 - RAIO)});
        return dx * dx + dy * dy > RAIO * RAIO;
    };
    for (int y = 0; y < LADO; ++y)
        for (int x = 0; x < LADO; ++x)
            if (fora(x, y)) q.ponto(x, y, MASCARA);
    desenho::contornar(q, CONTORNO);
    return q;
}

}  // namespace telas

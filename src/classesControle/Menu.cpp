#include "classesControle/Menu.h"

#include "classesBasicas/Efeitos.h"
#include "classesBasicas/Figura.h"
#include "classesBasicas/Recursos.h"
#include "classesBasicas/Tela.h"
#include "classesControle/LegendaTeclas.h"
#include "classesControle/Teclado.h"
#include "dados/Figuras.h"
#include "dados/Leiaute.h"
#include "dados/Medidas.h"

#include <allegro.h>

#include <atomic>
#include <iostream>
#include <utility>

namespace {

constexpr int W = medidas::LARGURA_TELA;
constexpr int H = medidas::ALTURA_TELA;

// The picture a screen composes before putting it on the screen. Without
// memory for it the screen is composed on the game's picture itself.
class Composicao {
public:
    Composicao() : buffer(create_bitmap(W, H)) {
        if (buffer) clear_to_color(buffer.get(), makecol(0, 0, 0));
    }

    BITMAP* get() const { return buffer ? buffer.get() : Tela::logica(); }
    void mostrar() const {
        if (buffer) draw_sprite(Tela::logica(), buffer.get(), 0, 0);
        Tela::mostrar();
    }

private:
    recursos::Bitmap buffer;
};

// Set from the window system's thread, read by every screen's loop.
std::atomic<bool> saidaPedida{false};

// Between two looks at the keyboard. Allegro's input thread updates key[]
// about every 10 ms, so looking every 5 ms loses no press; waking more often
// only cost processor time.
void descansar() {
    Teclado::atenderGlobais();
    Efeitos::tocarPendentes();  // the players' keys flip runners during the pause
    rest(5);
}

// A picture shown until Escape, which it consumes so the menu behind it
// does not also see it. `porCima`, when given, draws over it.
int mostrarAteEsc(const std::string& figura, void (*porCima)(BITMAP*) = nullptr) {
    Teclado::novaTela();
    Figura fundo(figura);
    Composicao buffer;
    fundo.copiar(buffer.get(), 0, 0, W, H);
    if (porCima) porCima(buffer.get());
    buffer.mostrar();
    while (!Teclado::isApertada(KEY_ESC) && !Menu::isSaidaPedida()) descansar();
    if (Teclado::consumir(KEY_ESC)) Efeitos::tocar(sons::Efeito::MENU_VOLTAR);
    return 1;
}

// The main menu's pictures, composed for one highlighted item.
class TelaMenu {
public:
    TelaMenu() {
        using figuras::Item;
        for (int d = 0; d < 6; ++d) {
            digitos[d].normal.carregar(figuras::algarismo(d + 1, false));
            digitos[d].destacado.carregar(figuras::algarismo(d + 1, true));
        }
        rotulo.carregar(Item::ROTULO_JOGADORES);
        integrantes.carregar(Item::CREDITOS);
        instrucoes.carregar(Item::INSTRUCOES);
        sair.carregar(Item::SAIR);
    }

    void mostrar(int opcao) {
        using namespace leiaute;
        BITMAP* b = buffer.get();
        fundo.copiar(b, 0, 0, W, H);
        rotulo.copiar(b, opcao <= 6, ROTULO_JOGADORES);
        for (int d = 0; d < 6; ++d)
            digitos[d].copiar(b, opcao == d + 1,
                              {X_ALGARISMO_MENU[d], LINHA_JOGADORES, LARGURA_ALGARISMO[d], ALTURA_ITEM});
        integrantes.copiar(b, opcao == 7, INTEGRANTES);
        instrucoes.copiar(b, opcao == 8, INSTRUCOES);
        sair.copiar(b, opcao == 9, SAIR);
        buffer.mostrar();
    }

private:
    // An item's picture and its highlighted version ("_2").
    struct Par {
        Figura normal, destacado;
        void carregar(figuras::Item item) {
            normal.carregar(figuras::item(item, false));
            destacado.carregar(figuras::item(item, true));
        }
        void copiar(BITMAP* destino, bool destaque, const leiaute::Peca& p) const {
            (destaque ? destacado : normal).copiar(destino, p.x, p.y, p.largura, p.altura);
        }
    };

    Figura fundo{figuras::FUNDO_MENU};
    Par rotulo, digitos[6], integrantes, instrucoes, sair;
    Composicao buffer;
};

}  // namespace

Menu::Menu() = default;
Menu::~Menu() = default;

void Menu::pedirSaida() { saidaPedida = true; }
bool Menu::isSaidaPedida() { return saidaPedida; }

int Menu::menu() {
    // The digit last reached with Left or Right, kept across calls.
    static int ondeEstava = 1;

    TelaMenu tela;
    int opcao = 1;
    int naTela = 0;  // the item shown highlighted; 0 before the first picture
    Teclado::novaTela();

    for (;;) {
        if (Teclado::isApertada(KEY_ESC) || isSaidaPedida()) return QUIT;  // Escape left set: the game quits anyway

        // The keys as they are at the start of the pass: an arrow pressed
        // while the pass runs is left for the next pass, not cleared unseen.
        const bool baixo = Teclado::isApertada(KEY_DOWN), cima = Teclado::isApertada(KEY_UP);
        const bool direita = Teclado::isApertada(KEY_RIGHT), esquerda = Teclado::isApertada(KEY_LEFT);
        const bool enter = Teclado::isApertada(KEY_ENTER);

        // At most one rule acts per pass.
        const int antes = opcao;
        bool outraTela = false;
        if (baixo && (opcao == 7 || opcao == 8)) {
            ++opcao;
        } else if (baixo && opcao <= 6) {
            opcao = 7;
        } else if (direita && opcao >= 1 && opcao <= 5) {
            ondeEstava = ++opcao;
        } else if (esquerda && opcao >= 2 && opcao <= 6) {
            ondeEstava = --opcao;
        } else if (cima && opcao == 7) {
            opcao = ondeEstava;
        } else if (cima && (opcao == 8 || opcao == 9)) {
            --opcao;
        } else if (enter && opcao <= 6) {
            Efeitos::tocar(sons::Efeito::MENU_ESCOLHER);
            return opcao;
        } else if (enter && opcao == 9) {
            return QUIT;
        } else if (enter && opcao == 7) {
            Efeitos::tocar(sons::Efeito::MENU_ESCOLHER);
            outraTela = BGintegrantes();
        } else if (enter && opcao == 8) {
            Efeitos::tocar(sons::Efeito::MENU_ESCOLHER);
            outraTela = BGinstrucoes();
        }
        if (opcao != antes) Efeitos::tocar(sons::Efeito::MENU_MOVER);
        // Every arrow of the pass is used up, whether or not a rule acted.
        const std::pair<int, bool> setas[] = {
            {KEY_UP, cima}, {KEY_DOWN, baixo}, {KEY_RIGHT, direita}, {KEY_LEFT, esquerda}};
        for (auto [seta, vista] : setas)
            if (vista) Teclado::consumir(seta);

        if (outraTela) {
            naTela = 0;  // the page covered the menu
            Teclado::novaTela();
        }
        if (opcao != naTela) {
            tela.mostrar(opcao);
            naTela = opcao;
        }
        descansar();
    }
}

int Menu::BGintegrantes() { return mostrarAteEsc(figuras::CREDITOS); }

int Menu::BGinstrucoes() { return mostrarAteEsc(figuras::INSTRUCOES, legendaTeclas::desenharRegrasEmUso); }

void Menu::pause() {
    Efeitos::tocar(sons::Efeito::PAUSA_ABRIR);
    Teclado::novaTela();
    Figura pausado(figuras::PAUSA);
    Composicao buffer;
    pausado.copiar(buffer.get(), 0, 0, W, H);
    buffer.mostrar();
    while (!Teclado::isApertada(KEY_P) && !isSaidaPedida()) descansar();
    if (Teclado::consumir(KEY_P)) Efeitos::tocar(sons::Efeito::PAUSA_FECHAR);
}

namespace {

// One call of the character selection: which characters are taken, where
// each player's cursor stands, and the pictures that show it.
class Selecao {
public:
    explicit Selecao(int jogadores) : jogadores(jogadores) {
        for (int i = 0; i <= 6; ++i) molduras[i].carregar(figuras::moldura(i));
        for (int k = 0; k < 6; ++k) {
            livres[k].carregar(figuras::retrato(k + 1, false));
            tomados[k].carregar(figuras::retrato(k + 1, true));
            digitos[k].carregar(figuras::algarismo(k + 1, false));
        }
    }

    // One pass over the keys. Returns true once every player has chosen.
    bool passo() {
        // A new player's cursor starts on character 0: move it off a taken one.
        if (selecionado[0] && !posicionado[atual]) {
            for (int k = 0; k < 6; ++k) {
                if (!selecionado[k]) {
                    cursor[atual] = k;
                    break;
                }
            }
            posicionado[atual] = true;
        }
        // On the last (first) character the rule does not apply and a key
        // held stays down: the next player's cursor moves at once.
        const int antes = cursor[atual];
        if (cursor[atual] == 5)
            Teclado::esquecerSoltas(KEY_RIGHT);
        else if (Teclado::consumir(KEY_RIGHT))
            cursor[atual] += salto(+1);
        if (cursor[atual] == 0)
            Teclado::esquecerSoltas(KEY_LEFT);
        else if (Teclado::consumir(KEY_LEFT))
            cursor[atual] -= salto(-1);
        if (cursor[atual] != antes) Efeitos::tocar(sons::Efeito::MENU_MOVER);
        if (Teclado::consumir(KEY_ENTER)) {
            escolha[atual] = cursor[atual];
            selecionado[cursor[atual]] = true;
            ++atual;
            Efeitos::tocar(sons::Efeito::SELECAO_TOMAR);
        }
        return atual == jogadores;
    }

    // The screen for the state now, when it differs from what is shown.
    void mostrar() {
        if (atual == naTela.atual && cursor[atual] == naTela.cursor && !primeira) return;
        primeira = false;
        naTela = {atual, cursor[atual]};
        using namespace leiaute;
        BITMAP* b = buffer.get();
        fundo.copiar(b, 0, 0, W, H);
        for (int k = 0; k < 6; ++k) molduras[0].copiar(b, SLOT_X + SLOT_PASSO * k, SLOT_Y, SLOT_LADO, SLOT_LADO);
        molduras[atual + 1].copiar(b, SLOT_X + SLOT_PASSO * cursor[atual], SLOT_Y, SLOT_LADO, SLOT_LADO);
        for (int k = 0; k < 6; ++k)
            (selecionado[k] ? tomados[k] : livres[k])
                .copiar(b, SLOT_X + MINIATURA_MARGEM + SLOT_PASSO * k, SLOT_Y + MINIATURA_MARGEM, MINIATURA_LADO,
                        MINIATURA_LADO);
        digitos[atual].copiar(b, ALGARISMO_SELECAO_X, LINHA_JOGADORES, LARGURA_ALGARISMO[atual], ALTURA_ITEM);
        buffer.mostrar();
    }

    int getEscolha(int jogador) const { return escolha[jogador]; }

private:
    // How far the cursor moves one way: to the next character, or over the
    // taken ones to the nearest free one; 0 when none is free that way.
    // Going right, a jump says its length on standard output.
    int salto(int sentido) {
        const int j = cursor[atual];
        int passo = 1;
        while (j + sentido * passo >= 0 && j + sentido * passo < 6 && selecionado[j + sentido * passo]) ++passo;
        if (passo > 1 && sentido > 0) std::cout << passo << std::endl;
        return j + sentido * passo >= 0 && j + sentido * passo < 6 ? passo : 0;
    }

    const int jogadores;
    int atual = 0;              // the player choosing, from 0
    int cursor[6] = {};         // each player's character under the cursor
    bool posicionado[6] = {};   // moved off a taken first character
    bool selecionado[6] = {};   // taken, by character
    int escolha[6] = {};        // by player
    struct {
        int atual, cursor;
    } naTela{};
    bool primeira = true;

    Figura fundo{figuras::SELECAO};
    Figura molduras[7], livres[6], tomados[6], digitos[6];
    Composicao buffer;
};

}  // namespace

std::string* Menu::BGselecao(int opcao) {
    // The Enter that chose the number of players is not the first choice.
    Teclado::consumir(KEY_ENTER);
    Teclado::novaTela();

    Selecao selecao(opcao);
    for (;;) {
        if (Teclado::consumir(KEY_ESC)) {
            Efeitos::tocar(sons::Efeito::MENU_VOLTAR);
            return nullptr;
        }
        if (isSaidaPedida()) return nullptr;
        if (selecao.passo()) break;
        selecao.mostrar();
        descansar();
    }
    std::string* retorno = new std::string[6];
    for (int i = 0; i < opcao; ++i) {
        retorno[i] = figuras::folha(selecao.getEscolha(i) + 1);
        std::cout << retorno[i] << std::endl;
    }
    return retorno;
}

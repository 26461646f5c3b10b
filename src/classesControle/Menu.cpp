#include "classesControle/Menu.h"

#include "classesBasicas/Imagem.h"

#include <allegro.h>

#include <atomic>
#include <iostream>

namespace {

// A picture loaded for one screen and released when the screen returns,
// whichever way. A missing or damaged file is simply not drawn.
class Figura {
public:
    Figura() = default;
    explicit Figura(const std::string& caminho) : bitmap(Imagem::carregar(caminho)) {}
    ~Figura() {
        if (bitmap) destroy_bitmap(bitmap);
    }
    Figura(const Figura&) = delete;
    Figura& operator=(const Figura&) = delete;

    void carregar(const std::string& caminho) {
        if (bitmap) destroy_bitmap(bitmap);
        bitmap = Imagem::carregar(caminho);
    }
    // Copies the picture's top-left `largura` x `altura` to (x, y) of `destino`.
    void copiar(BITMAP* destino, int x, int y, int largura, int altura) const {
        if (bitmap) blit(bitmap, destino, 0, 0, x, y, largura, altura);
    }

private:
    BITMAP* bitmap = nullptr;
};

// The 640 x 480 picture a screen composes before putting it on the screen.
class Composicao {
public:
    Composicao() : buffer(create_bitmap(640, 480)) { clear_to_color(buffer, makecol(0, 0, 0)); }
    ~Composicao() { destroy_bitmap(buffer); }
    Composicao(const Composicao&) = delete;
    Composicao& operator=(const Composicao&) = delete;

    BITMAP* get() const { return buffer; }
    void mostrar() const { draw_sprite(screen, buffer, 0, 0); }

private:
    BITMAP* buffer;
};

const std::string PASTA = "src/Img/menu/";

// Set from the window system's thread, read by every screen's loop.
std::atomic<bool> saidaPedida{false};

// The digits 1 to 6: their widths, and where the main menu puts them.
constexpr int LARGURA_DIGITO[6] = {13, 19, 20, 19, 19, 20};
constexpr int X_DIGITO_MENU[6] = {304, 333, 369, 404, 438, 472};
constexpr int ALTURA_ITEM = 33;

bool consumir(int tecla) {
    if (!key[tecla]) return false;
    key[tecla] = 0;
    return true;
}

// A picture shown until Escape, which it consumes so the menu behind it
// does not also see it.
int mostrarAteEsc(const char* arquivo) {
    Figura fundo(PASTA + arquivo);
    Composicao buffer;
    fundo.copiar(buffer.get(), 0, 0, 640, 480);
    buffer.mostrar();
    while (!key[KEY_ESC] && !Menu::isSaidaPedida()) rest(1);
    key[KEY_ESC] = 0;
    return 1;
}

}  // namespace

Menu::Menu() = default;
Menu::~Menu() = default;

void Menu::pedirSaida() { saidaPedida = true; }
bool Menu::isSaidaPedida() { return saidaPedida; }

int Menu::menu() {
    // The digit last reached with Left or Right, kept across calls.
    static int ondeEstava = 1;

    struct Par {
        Figura normal, destacado;
        void carregar(const std::string& nome) {
            normal.carregar(PASTA + nome + ".bmp");
            destacado.carregar(PASTA + nome + "_2.bmp");
        }
        void copiar(BITMAP* destino, bool destaque, int x, int y, int largura) const {
            (destaque ? destacado : normal).copiar(destino, x, y, largura, ALTURA_ITEM);
        }
    };

    Figura fundo(PASTA + "menu.bmp");
    Par jogadores, digitos[6], integrantes, instrucoes, sair;
    Figura rotulo(PASTA + "chooseplayer.bmp"), rotuloDestacado(PASTA + "chooseplayer_2.bmp");
    for (int d = 0; d < 6; ++d) digitos[d].carregar("img" + std::to_string(d + 1));
    integrantes.carregar("integrantes");
    instrucoes.carregar("instrucoes");
    sair.carregar("sairdojogo");
    Composicao buffer;
    int opcao = 1;

    for (;;) {
        if (key[KEY_ESC] || isSaidaPedida()) return QUIT;  // Escape left set: the game quits anyway

        // At most one rule acts per pass.
        if (key[KEY_DOWN] && (opcao == 7 || opcao == 8)) {
            ++opcao;
        } else if (key[KEY_DOWN] && opcao <= 6) {
            opcao = 7;
        } else if (key[KEY_RIGHT] && opcao >= 1 && opcao <= 5) {
            ondeEstava = ++opcao;
        } else if (key[KEY_LEFT] && opcao >= 2 && opcao <= 6) {
            ondeEstava = --opcao;
        } else if (key[KEY_UP] && opcao == 7) {
            opcao = ondeEstava;
        } else if (key[KEY_UP] && (opcao == 8 || opcao == 9)) {
            --opcao;
        } else if (key[KEY_ENTER] && opcao <= 6) {
            return opcao;
        } else if (key[KEY_ENTER] && opcao == 9) {
            return QUIT;
        } else if (key[KEY_ENTER] && opcao == 7) {
            BGintegrantes();
        } else if (key[KEY_ENTER] && opcao == 8) {
            BGinstrucoes();
        }
        for (int seta : {KEY_UP, KEY_DOWN, KEY_RIGHT, KEY_LEFT}) key[seta] = 0;

        BITMAP* b = buffer.get();
        fundo.copiar(b, 0, 0, 640, 480);
        (opcao <= 6 ? rotuloDestacado : rotulo).copiar(b, 131, 294, 153, 34);
        for (int d = 0; d < 6; ++d) digitos[d].copiar(b, opcao == d + 1, X_DIGITO_MENU[d], 294, LARGURA_DIGITO[d]);
        integrantes.copiar(b, opcao == 7, 130, 340, 122);
        instrucoes.copiar(b, opcao == 8, 130, 383, 114);
        sair.copiar(b, opcao == 9, 130, 425, 133);
        buffer.mostrar();
    }
}

int Menu::BGintegrantes() { return mostrarAteEsc("bg_integrantes.bmp"); }

int Menu::BGinstrucoes() { return mostrarAteEsc("bg_instrucoes.bmp"); }

void Menu::pause() {
    Figura pausado(PASTA + "pause.bmp");
    Composicao buffer;
    pausado.copiar(buffer.get(), 0, 0, 640, 480);
    buffer.mostrar();
    while (!key[KEY_P] && !isSaidaPedida()) {
    }
    key[KEY_P] = 0;
}

std::string* Menu::BGselecao(int opcao) {
    constexpr int X_CURSOR = 67;  // slot of character k at 67 + 85 k
    constexpr int PASSO = 85;
    const std::string nomes[6] = {
        "src/Img/Jogo/player 1a.bmp", "src/Img/Jogo/player 2a.bmp", "src/Img/Jogo/player 3a.bmp",
        "src/Img/Jogo/player 4a.bmp", "src/Img/Jogo/player 5a.bmp", "src/Img/Jogo/player 6a.bmp",
    };
    std::string* retorno = new std::string[6];
    int jogadorAtual = 0;
    int itemAtual = 0;
    int posicoes[6] = {X_CURSOR, X_CURSOR, X_CURSOR, X_CURSOR, X_CURSOR, X_CURSOR};
    int posicionado[6] = {};
    int selecionado[6] = {};

    // The Enter that chose the number of players is not the first choice.
    key[KEY_ENTER] = 0;

    Figura selecao(PASTA + "bg_selecao.bmp");
    Figura molduras[7], livres[6], tomados[6], digitos[6];
    for (int i = 0; i <= 6; ++i) molduras[i].carregar(PASTA + "sel_" + std::to_string(i) + ".bmp");
    for (int k = 0; k < 6; ++k) {
        std::string n = std::to_string(k + 1);
        livres[k].carregar(PASTA + "sel_j" + n + ".bmp");
        tomados[k].carregar(PASTA + "sel_j" + n + "_2.bmp");
        digitos[k].carregar(PASTA + "img" + n + ".bmp");
    }
    Composicao buffer;
    BITMAP* b = buffer.get();

    for (;;) {
        if (consumir(KEY_ESC) || isSaidaPedida()) {
            delete[] retorno;
            return nullptr;
        }

        selecao.copiar(b, 0, 0, 640, 480);
        for (int k = 0; k < 6; ++k) molduras[0].copiar(b, X_CURSOR + PASSO * k, 339, 80, 80);
        molduras[jogadorAtual + 1].copiar(b, posicoes[jogadorAtual], 339, 80, 80);

        // A new player's cursor starts on character 0: move it off a taken one.
        if (selecionado[0] && !posicionado[jogadorAtual]) {
            for (int k = 0; k < 6; ++k) {
                if (!selecionado[k]) {
                    posicoes[jogadorAtual] = X_CURSOR + PASSO * k;
                    break;
                }
            }
            posicionado[jogadorAtual] = 1;
        }

        if (key[KEY_RIGHT] && posicoes[jogadorAtual] <= X_CURSOR + PASSO * 5 - 1) {
            int j = (posicoes[jogadorAtual] - X_CURSOR) / PASSO;
            int passo = 1;
            if (selecionado[j + 1]) {
                // Jump over taken characters; with none free the cursor stays.
                passo = 1;
                while (j + passo < 6 && selecionado[j + passo]) ++passo;
                std::cout << passo << std::endl;
                if (j + passo >= 6) passo = 0;
            }
            posicoes[jogadorAtual] += PASSO * passo;
            key[KEY_RIGHT] = 0;
        }
        if (key[KEY_LEFT] && posicoes[jogadorAtual] > X_CURSOR) {
            int j = (posicoes[jogadorAtual] - X_CURSOR) / PASSO;
            int passo = 1;
            if (selecionado[j - 1]) {
                while (j - passo >= 0 && selecionado[j - passo]) ++passo;
                if (j - passo < 0) passo = 0;
            }
            posicoes[jogadorAtual] -= PASSO * passo;
            key[KEY_LEFT] = 0;
        }

        itemAtual = (posicoes[jogadorAtual] - X_CURSOR) / PASSO;

        if (consumir(KEY_ENTER)) {
            retorno[jogadorAtual] = nomes[itemAtual];
            selecionado[itemAtual] = 1;
            ++jogadorAtual;
        }

        if (jogadorAtual == opcao) {
            for (int i = 0; i < opcao; ++i) std::cout << retorno[i] << std::endl;
            return retorno;
        }

        for (int k = 0; k < 6; ++k) (selecionado[k] ? tomados[k] : livres[k]).copiar(b, 72 + PASSO * k, 344, 70, 70);
        digitos[jogadorAtual].copiar(b, 255, 294, LARGURA_DIGITO[jogadorAtual], ALTURA_ITEM);
        buffer.mostrar();
    }
}

#include "classesControle/LegendaTeclas.h"

#include "classesBasicas/Recursos.h"
#include "classesControle/Comandos.h"
#include "dados/Fonte.h"
#include "dados/Leiaute.h"
#include "dados/Paleta.h"

#include <allegro.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace legendaTeclas {
namespace {

using configuracao::NENHUM;

// One player's part of the row: its number, then a keycap per control.
struct Entrada {
    int jogador;
    std::vector<std::string> teclas;
    bool operator==(const Entrada& outra) const { return jogador == outra.jogador && teclas == outra.teclas; }
};

// How the prompt names a key.
std::string nomeCurto(int tecla) {
    const char* nome = configuracao::nomeCurto(tecla);
    return nome ? nome : "?";
}

// How the rules screen names a key: with room for the word, an arrow says so.
std::string nomeNasRegras(int tecla) {
    const bool seta = tecla == KEY_LEFT || tecla == KEY_RIGHT || tecla == KEY_UP || tecla == KEY_DOWN;
    return nomeCurto(tecla) + (seta ? " ARROW" : "");
}

std::vector<Entrada> entradas(const configuracao::Controles& controles, int numPads,
                              std::string (*nomeTecla)(int) = nomeCurto) {
    std::vector<Entrada> saida;
    for (int j = 0; j < configuracao::JOGADORES; ++j) {
        const configuracao::Comando& c = controles[static_cast<std::size_t>(j)];
        Entrada e{j + 1, {}};
        if (c.tecla != NENHUM) e.teclas.push_back(nomeTecla(c.tecla));
        if (c.pad != NENHUM && c.pad < numPads)
            e.teclas.push_back("PAD " + std::to_string(c.pad + 1) +
                               (c.botao == 0 ? "" : " B" + std::to_string(c.botao + 1)));
        if (!e.teclas.empty()) saida.push_back(e);
    }
    return saida;
}

// A palette colour as it reaches the screen from the painted picture: an
// 8-bit BMP, whose palette Allegro keeps at 6 bits a channel.
int cor(uint32_t rgb) {
    auto canal = [rgb](int desvio) { return static_cast<int>(_rgb_scale_6[(rgb >> desvio & 0xFF) >> 2]); };
    return makecol(canal(16), canal(8), canal(0));
}

// The painter's text and keycaps, at `escala` (2 is the prompt's).
class Escrita {
public:
    Escrita(BITMAP* destino, int escala) : b(destino), e(escala) {}

    int largura(const std::string& texto) const {
        return texto.empty() ? 0 : (static_cast<int>(texto.size()) * fonte::AVANCO - 1) * e;
    }
    int alturaTecla() const { return leiaute::alturaTecla(e); }
    int larguraTecla(const std::string& nome) const { return largura(nome) + 2 * leiaute::margemTecla(e); }
    int larguraEntrada(const Entrada& entrada) const {
        int l = largura("P" + std::to_string(entrada.jogador)) + 3 * e;
        for (const std::string& t : entrada.teclas) l += larguraTecla(t) + 2 * e;
        return l - 2 * e;
    }
    int espaco() const { return 10 * e; }  // between two players

    void escrever(int x, int y, const std::string& texto, int c) const {
        for (char letra : texto) {
            const uint8_t* g = fonte::glifo(letra);
            for (int linha = 0; linha < fonte::ALTURA; ++linha)
                for (int coluna = 0; coluna < fonte::LARGURA; ++coluna)
                    if (g[linha] & (0x10 >> coluna))
                        rectfill(b, x + coluna * e, y + linha * e, x + (coluna + 1) * e - 1,
                                 y + (linha + 1) * e - 1, c);
            x += fonte::AVANCO * e;
        }
    }

    // In the player's colour with the painter's outline.
    void nomeJogador(int x, int y, const std::string& texto, int jogador) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx || dy) escrever(x + dx * e, y + dy * e, texto, cor(paleta::NOITE));
        escrever(x, y, texto, cor(paleta::JOGADORES[jogador - 1]));
    }

    int entrada(int x, int y, const Entrada& entrada) const {
        const std::string quem = "P" + std::to_string(entrada.jogador);
        nomeJogador(x, y + (alturaTecla() - fonte::ALTURA * e) / 2, quem, entrada.jogador);
        x += largura(quem) + 3 * e;
        for (const std::string& nome : entrada.teclas) x += tecla(x, y, nome) + 2 * e;
        return x - 2 * e;
    }

    int tecla(int x, int y, const std::string& nome) const {
        const int l = larguraTecla(nome), h = alturaTecla();
        rectfill(b, x, y, x + l - 1, y + h - 1, cor(paleta::NOITE));
        rectfill(b, x + 1, y + 1, x + l - 2, y + h - 3, cor(paleta::ARDOSIA));
        rectfill(b, x + 1, y + 1, x + l - 2, y + 1, cor(paleta::NEVOA));
        escrever(x + leiaute::margemTecla(e), y + leiaute::topoTecla(e), nome, cor(paleta::CIANO));
        return l;
    }

private:
    BITMAP* b;
    int e;
};

// The entries centred on the screen's middle column in a bitmap the size
// of the band: at the painted size in one row, else in two, else smaller.
void escreverLinhas(BITMAP* b, const std::vector<Entrada>& todas) {
    if (todas.empty()) return;
    constexpr int CENTRO = 320 - leiaute::TECLAS_ENTRADA.x;
    constexpr int TAMANHOS = 4;
    const int escalas[TAMANHOS] = {2, 2, 1, 1}, linhas[TAMANHOS] = {1, 2, 1, 2};
    for (int t = 0; t < TAMANHOS; ++t) {
        const Escrita escrita(b, escalas[t]);
        const std::size_t porLinha = (todas.size() + static_cast<std::size_t>(linhas[t]) - 1) / linhas[t];
        std::vector<int> larguras;
        for (std::size_t i = 0; i < todas.size(); i += porLinha) {
            int l = -escrita.espaco();
            for (std::size_t k = i; k < todas.size() && k < i + porLinha; ++k)
                l += escrita.larguraEntrada(todas[k]) + escrita.espaco();
            larguras.push_back(l);
        }
        if (*std::max_element(larguras.begin(), larguras.end()) > b->w - 8 && t + 1 < TAMANHOS) continue;

        const int altura = static_cast<int>(larguras.size()) * (escrita.alturaTecla() + 2) - 2;
        int y = (b->h - altura) / 2;
        for (std::size_t i = 0, linha = 0; i < todas.size(); i += porLinha, ++linha) {
            int x = CENTRO - larguras[linha] / 2;
            for (std::size_t k = i; k < todas.size() && k < i + porLinha; ++k)
                x = escrita.entrada(x, y, todas[k]) + escrita.espaco();
            y += escrita.alturaTecla() + 2;
        }
        return;
    }
}

}  // namespace

bool isComoPintada(const configuracao::Controles& controles, int numPads) {
    return entradas(controles, numPads) == entradas(configuracao::padrao(), 0);
}

void desenhar(BITMAP* destino, const configuracao::Controles& controles, int numPads) {
    const leiaute::Peca& faixa = leiaute::TECLAS_ENTRADA;
    // Composed aside and copied once: the screen takes one copy better than
    // hundreds of small rectangles.
    const recursos::Bitmap quadro(create_bitmap(faixa.largura, faixa.altura));
    if (!quadro) return;
    clear_to_color(quadro.get(), cor(paleta::GRAFITE));

    escreverLinhas(quadro.get(), entradas(controles, numPads));
    blit(quadro.get(), destino, 0, 0, faixa.x, faixa.y, faixa.largura, faixa.altura);
}

void desenharRegras(BITMAP* destino, const configuracao::Controles& controles, int numPads) {
    using namespace leiaute;
    const Peca& bloco = TECLAS_REGRAS;
    const recursos::Bitmap quadro(create_bitmap(bloco.largura, bloco.altura));
    if (!quadro) return;
    BITMAP* b = quadro.get();
    clear_to_color(b, cor(paleta::GRAFITE));

    const std::vector<Entrada> todas = entradas(controles, numPads, nomeNasRegras);
    const Escrita prosa(b, 2);
    const int nomeX = REGRAS_NOME_X - bloco.x;
    int y = REGRAS_TOPO - bloco.y;
    for (const Entrada& entrada : todas) {
        prosa.nomeJogador(nomeX, y + REGRAS_NOME_DY, "PLAYER " + std::to_string(entrada.jogador), entrada.jogador);
        // The keycaps at the painted size when the row fits left of the
        // level's keys, else smaller.
        auto fim = [&](int e) {
            int x = REGRAS_TECLA_X - 2 * e;
            for (const std::string& t : entrada.teclas) x += Escrita(b, e).larguraTecla(t) + 2 * e;
            return x;
        };
        const int escala = fim(2) <= bloco.x + bloco.largura - 2 ? 2 : 1;
        const Escrita teclas(b, escala);
        int x = REGRAS_TECLA_X - bloco.x;
        const int ty = y + (prosa.alturaTecla() - teclas.alturaTecla()) / 2;
        for (const std::string& t : entrada.teclas) x += teclas.tecla(x, ty, t) + 2 * escala;
        y += REGRAS_PASSO;
    }

    // Who races without a key: "RUNNERS 5 AND 6", "RUNNER 2".
    std::vector<int> sem;
    for (int j = 1; j <= configuracao::JOGADORES; ++j)
        if (std::none_of(todas.begin(), todas.end(), [j](const Entrada& e) { return e.jogador == j; }))
            sem.push_back(j);
    if (!sem.empty()) {
        std::string quem = sem.size() == 1 ? "RUNNER " : "RUNNERS ";
        for (std::size_t i = 0; i < sem.size(); ++i)
            quem += (i == 0 ? "" : i + 1 == sem.size() ? " AND " : ", ") + std::to_string(sem[i]);
        const int semY = y + REGRAS_SEM_TECLA_DY;
        prosa.escrever(nomeX, semY, quem, cor(paleta::NEVOA));
        prosa.escrever(nomeX, semY + REGRAS_LINHA, sem.size() == 1 ? "HAS NO KEY" : "HAVE NO KEY", cor(paleta::NEVOA));
    }
    blit(b, destino, 0, 0, bloco.x, bloco.y, bloco.largura, bloco.altura);
}

void desenharRegrasEmUso(BITMAP* destino) {
    const configuracao::Controles controles = comandos::atuais();
    if (!isComoPintada(controles, comandos::numPads())) desenharRegras(destino, controles, comandos::numPads());
}

void desenharEmUso(BITMAP* destino) {
    const configuracao::Controles controles = comandos::atuais();
    if (!isComoPintada(controles, comandos::numPads())) desenhar(destino, controles, comandos::numPads());
}

}  // namespace legendaTeclas

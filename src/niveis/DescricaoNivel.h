#pragma once

#include "dados/Niveis.h"

#include <string>
#include <vector>

// A level as written in its text file (niveis/README.md): the floor and
// ceiling profiles, the loose blocks, the look, the screen-speed columns
// and the finish line, each with the line it was written on. Knows nothing
// of pixels; Relevo turns the ground into a mask. Only ArquivoNivel makes
// one, from a file it has read and checked whole.
class DescricaoNivel {
public:
    static constexpr int NENHUM = -1;  // a profile with no ground from here on

    // From column `x` on, until the next entry of the same profile.
    struct Trecho {
        int x = 0;
        int limite = NENHUM;  // floor: its top row; ceiling: its lowest row
        int linha = 0;        // line of the file, for error messages
    };

    struct Bloco {
        int x = 0, y = 0, largura = 0, altura = 0;  // top-left corner and size
        int linha = 0;
    };

    // A screen-speed column: from column x on the view scrolls `velocidade`
    // pixels a frame.
    struct Coluna {
        int x = 0;
        int velocidade = 0;
        int linha = 0;
    };

    // The finish line: column x, rows y - altura to y.
    struct Chegada {
        int x = 0, y = 0, altura = 0;
        int linha = 0;
    };

    const std::string& getTema() const { return tema; }
    const std::vector<Trecho>& getChao() const { return chao; }
    const std::vector<Trecho>& getTeto() const { return teto; }
    const std::vector<Bloco>& getBlocos() const { return blocos; }
    const std::vector<Coluna>& getColunas() const { return colunas; }
    const Chegada& getChegada() const { return chegada; }

    // The profile's value at column `x` (NENHUM before its first entry).
    static int limiteEm(const std::vector<Trecho>& perfil, int x);

    // The line of the file that makes pixel (x, y) solid: the last block
    // over it, else the floor or the ceiling there; 0 when it is free.
    int linhaDoSolido(int x, int y) const;

    // The level as the builder places it, with the pictures at these paths.
    niveis::Nivel paraJogar(const std::string& texto, const std::string& visual, const std::string& colisao) const;

private:
    friend class ArquivoNivel;
    DescricaoNivel() = default;

    std::string tema;
    std::vector<Trecho> chao;  // ordered by x
    std::vector<Trecho> teto;  // ordered by x
    std::vector<Bloco> blocos;
    std::vector<Coluna> colunas;  // ordered by x
    Chegada chegada;
};

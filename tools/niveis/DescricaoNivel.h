#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

// A level's geometry as written in its text file (niveis/README.md): the
// floor and ceiling profiles, the loose blocks and the look. Knows nothing of
// pixels; Relevo turns it into solid ground.
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

    // A mistake in the file, with the line it was found on.
    class Erro : public std::runtime_error {
    public:
        Erro(const std::string& arquivo, int linha, const std::string& mensagem);
    };

    // Reads a level file; throws Erro naming the line of the first mistake.
    static DescricaoNivel ler(const std::string& caminho);
    static DescricaoNivel ler(std::istream& entrada, const std::string& nomeArquivo);

    const std::string& getTema() const { return tema; }
    const std::vector<Trecho>& getChao() const { return chao; }
    const std::vector<Trecho>& getTeto() const { return teto; }
    const std::vector<Bloco>& getBlocos() const { return blocos; }

    // The profile's value at column `x` (NENHUM before its first entry).
    static int limiteEm(const std::vector<Trecho>& perfil, int x);

private:
    std::string tema;
    std::vector<Trecho> chao;  // ordered by x
    std::vector<Trecho> teto;  // ordered by x
    std::vector<Bloco> blocos;
};

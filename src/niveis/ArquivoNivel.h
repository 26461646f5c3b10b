#pragma once

#include "niveis/DescricaoNivel.h"

#include <cstddef>
#include <optional>
#include <string>

// The one way a level file is read: its text parsed and the level checked
// as the engine will play it (a runner fits through every column, the
// start boxes and the finish line are free, no speed column stands on a
// wall's face), so that what comes out can be painted and played; or the
// one line that says what is wrong, "FILE:LINE: what". Nothing of a file
// with a mistake comes out.
class ArquivoNivel {
public:
    struct Leitura {
        std::optional<DescricaoNivel> descricao;  // the level, when the file is right
        std::string erro;                         // else the line that says why
        std::string texto;                        // the file's bytes as read

        explicit operator bool() const { return descricao.has_value(); }
    };

    // Longer than any level needs; a larger file is not read.
    static constexpr std::size_t MAX_BYTES = 1 << 20;
    // Faster than any level needs; the view moves a pixel at a time.
    static constexpr int MAX_VELOCIDADE = 100;

    // Reads the file at `caminho`; messages name it `nome` (the path as the
    // player wrote it), or `caminho` when `nome` is empty.
    static Leitura ler(const std::string& caminho, const std::string& nome = "");
    // Reads a level from `texto`, its messages naming `nome`.
    static Leitura lerTexto(const std::string& texto, const std::string& nome);

private:
    class Leitor;  // the parser, line by line
};

#include "main/main.h"
#include "sistema/PastaDados.h"
#include "sistema/Processo.h"

#include <allegro.h>

int main(int argc, char** argv) {
    prepararProcesso();
    // Before the window opens: without its pictures the game would show a
    // black one.
    pastaDados::Opcoes opcoes;
    if (std::optional<int> codigo = pastaDados::entrarNaPastaDados(argc, argv, &opcoes)) return *codigo;
    Janela::Pedido janela;
    janela.escala = opcoes.escala;
    janela.ondeEscala = "--scale";
    janela.telaCheia = opcoes.telaCheia;
    if (!opcoes.niveis.empty()) return jogarArquivos(opcoes.niveis, opcoes.pastaInicial, janela);
    if (!opcoes.semente.empty()) return jogarSemente(opcoes.semente, janela);
    return executarJogo(janela);
}
END_OF_MAIN()

#include "main/main.h"
#include "sistema/PastaDados.h"
#include "sistema/Processo.h"

#include <allegro.h>

int main(int argc, char** argv) {
    prepararProcesso();
    // Before the window opens: without its pictures the game would show a
    // black one.
    if (std::optional<int> codigo = pastaDados::entrarNaPastaDados(argc, argv)) return *codigo;
    return executarJogo();
}
END_OF_MAIN()

// Composes the game's music and writes it as a Standard MIDI File; prints
// its length in seconds.
#include "Musica.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.mid\n", argv[0]);
        return 2;
    }
    const ArquivoMidi musica = musica::compor();
    if (!musica.salvar(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %.2f s\n", argv[1], musica.duracaoSegundos());
    return 0;
}

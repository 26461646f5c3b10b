// Composes the game's sound effects and writes each as a WAV file under
// the game's folder (sons/...); prints each name and length.
#include "ArquivoWav.h"
#include "Repertorio.h"
#include "dados/Sons.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path pasta = argv[1];
    std::error_code erro;
    std::filesystem::create_directories(pasta / sons::PASTA, erro);
    for (int e = 0; e < sons::NUM_EFEITOS; ++e) {
        const auto efeito = static_cast<sons::Efeito>(e);
        const Sintese som = repertorio::compor(efeito);
        const std::vector<int16_t> amostras = som.pcm();
        const std::string caminho = (pasta / sons::caminho(efeito)).string();
        if (!salvarWav(caminho, amostras, som.frequencia())) {
            std::fprintf(stderr, "cannot write %s\n", caminho.c_str());
            return 1;
        }
        std::printf("%s: %zu samples\n", caminho.c_str(), amostras.size());
    }
    return 0;
}

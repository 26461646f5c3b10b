// What painting a level from its text costs the game the first time the
// level is entered, and what the cache saves a second start: for each level
// file given (default: the built-in ones, from the build tree), the parts
// of a paint, then FigurasPintadas::obter painting into an empty cache and
// finding the pictures there.
//
//   ./bench/pintura_niveis [rounds, default 5] [level files...]
#include "niveis/ArquivoNivel.h"
#include "niveis/FigurasPintadas.h"
#include "niveis/PintorNivel.h"
#include "niveis/Relevo.h"

#include "dados/Niveis.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;

double ms(Relogio::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void resumir(const char* titulo, std::vector<double> t) {
    std::sort(t.begin(), t.end());
    std::printf("  %-40s min %7.1f  median %7.1f  max %7.1f ms\n", titulo, t.front(), t[t.size() / 2], t.back());
}

// Times `passo` and returns what it gives.
template <typename F>
auto medir(std::vector<double>& tempos, F passo) {
    const Relogio::time_point t = Relogio::now();
    auto resultado = passo();
    tempos.push_back(ms(Relogio::now() - t));
    return resultado;
}

}  // namespace

int main(int argc, char** argv) {
    const int rodadas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<std::string> arquivos(argv + std::min(argc, 2), argv + argc);
    if (arquivos.empty())
        for (const niveis::ArquivosNivel& n : niveis::NIVEIS) arquivos.push_back(std::string(niveis::PASTA) + "/" + n.texto);
    const std::filesystem::path cache = std::filesystem::temp_directory_path() / "avesso-pintura-niveis";

    for (const std::string& arquivo : arquivos) {
        std::vector<double> ler, relevo, colisao, visual, bmp, pintarNoCache, acharNoCache;
        for (int r = 0; r < rodadas; ++r) {
            const ArquivoNivel::Leitura leitura = medir(ler, [&] { return ArquivoNivel::ler(arquivo); });
            if (!leitura) {
                std::fprintf(stderr, "pintura_niveis: %s\n", leitura.erro.c_str());
                return 1;
            }
            const DescricaoNivel& nivel = *leitura.descricao;
            const Relevo r1 = medir(relevo, [&] { return Relevo(nivel); });
            const Quadro c = medir(colisao, [&] { return PintorNivel::colisao(r1); });
            const Quadro v = medir(visual, [&] { return PintorNivel::visual(r1, nivel); });
            medir(bmp, [&] { return c.bmp().size() + v.bmp().size(); });

            std::filesystem::remove_all(cache);
            medir(pintarNoCache, [&] { return FigurasPintadas::obter(nivel, leitura.texto, cache); });
            medir(acharNoCache, [&] { return FigurasPintadas::obter(nivel, leitura.texto, cache); });
        }
        std::filesystem::remove_all(cache);
        std::printf("%s, %d rounds:\n", arquivo.c_str(), rodadas);
        resumir("read and check the file", ler);
        resumir("solid ground (Relevo)", relevo);
        resumir("collision picture", colisao);
        resumir("visual picture", visual);
        resumir("both as BMP bytes", bmp);
        resumir("painted and written to an empty cache", pintarNoCache);
        resumir("found in the cache", acharNoCache);
    }
    return 0;
}

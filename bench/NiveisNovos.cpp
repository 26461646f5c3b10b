// Figures of the fresh levels, for the README:
//   bench_niveis_novos [FIRST_SEED [COUNT]]        (default: seeds 1 to 100)
// For each seed: the time `avesso-levels new` takes to give a certified
// level, the candidates it tried, and the kinds of the built-in levels'
// features the level uses. Then min, median and max of each, the built-in
// levels counted the same way beside them, and the cost of one check.
//
// Features, counted from the level file:
//   pit           a stretch with no floor (`chao X -`)
//   hole          a stretch with no ceiling (`teto X -`), the sky at the end included
//   floor wall    a floor stretch at most 150 columns wide higher than the floor on both sides
//   ceiling wall  a ceiling stretch at most 150 columns wide lower than the ceiling on both sides
//   tunnel        300 columns or more with floor and ceiling at most 230 rows apart
//   slab          a `bloco` line
//   speed change  a `velocidade` line after the first
#include "comandoNiveis/ComandoNiveis.h"
#include "niveis/ArquivoNivel.h"
#include "prova/NivelEmProva.h"
#include "prova/SemTela.h"
#include "prova/VerificacaoNivel.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

using Relogio = std::chrono::steady_clock;
constexpr int TIPOS = 7;
const char* const NOMES[TIPOS] = {"pits", "holes", "floor walls", "ceiling walls", "tunnels", "slabs", "speed changes"};
using Contagem = std::array<int, TIPOS>;

double segundosDesde(Relogio::time_point inicio) {
    return std::chrono::duration<double>(Relogio::now() - inicio).count();
}

// The processor time this process has taken: what a level costs, whatever
// else the machine is doing.
double processador() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Stretches of a profile higher (floor) or lower (ceiling) than both
// neighbours and at most 150 columns wide.
int paredes(const std::vector<DescricaoNivel::Trecho>& perfil, bool chao) {
    int n = 0;
    for (std::size_t i = 1; i + 1 < perfil.size(); ++i) {
        const auto &antes = perfil[i - 1], &aqui = perfil[i], &depois = perfil[i + 1];
        if (aqui.limite == DescricaoNivel::NENHUM || antes.limite == DescricaoNivel::NENHUM ||
            depois.limite == DescricaoNivel::NENHUM || depois.x - aqui.x > 150)
            continue;
        if (chao ? aqui.limite < antes.limite && aqui.limite < depois.limite
                 : aqui.limite > antes.limite && aqui.limite > depois.limite)
            ++n;
    }
    return n;
}

Contagem contar(const DescricaoNivel& d) {
    Contagem c{};
    for (const auto& t : d.getChao()) c[0] += t.limite == DescricaoNivel::NENHUM;
    for (const auto& t : d.getTeto()) c[1] += t.limite == DescricaoNivel::NENHUM;
    c[2] = paredes(d.getChao(), true);
    c[3] = paredes(d.getTeto(), false);
    bool dentro = false;
    int desde = 0;
    for (int x = 0; x <= niveis::COMPRIMENTO; ++x) {
        const int chao = x < niveis::COMPRIMENTO ? DescricaoNivel::limiteEm(d.getChao(), x) : DescricaoNivel::NENHUM;
        const int teto = x < niveis::COMPRIMENTO ? DescricaoNivel::limiteEm(d.getTeto(), x) : DescricaoNivel::NENHUM;
        const bool estreito = chao != DescricaoNivel::NENHUM && teto != DescricaoNivel::NENHUM && chao - teto <= 230;
        if (estreito && !dentro) desde = x;
        if (!estreito && dentro && x - desde >= 300) ++c[4];
        dentro = estreito;
    }
    c[5] = static_cast<int>(d.getBlocos().size());
    c[6] = std::max(0, static_cast<int>(d.getColunas().size()) - 1);
    return c;
}

template <typename T>
T mediana(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int primeira = argc > 1 ? std::atoi(argv[1]) : 1;
    const int quantas = argc > 2 ? std::atoi(argv[2]) : 100;
    semTela::iniciarAllegro();

    Contagem embutidos{};
    std::vector<Contagem> porEmbutido;
    for (const char* arquivo : {"niveis/nivel1.txt", "niveis/nivel2.txt"}) {
        const ArquivoNivel::Leitura l = ArquivoNivel::ler(arquivo);
        if (!l) {
            std::fprintf(stderr, "%s (run this from the build folder)\n", l.erro.c_str());
            return 2;
        }
        const Contagem c = contar(*l.descricao);
        porEmbutido.push_back(c);
        std::printf("%s:", arquivo);
        for (int k = 0; k < TIPOS; ++k) {
            std::printf(" %d %s%s", c[k], NOMES[k], k + 1 < TIPOS ? "," : "\n");
            embutidos[k] += c[k];
        }
    }
    int tiposEmbutidos = 0;
    for (int k = 0; k < TIPOS; ++k) tiposEmbutidos += embutidos[k] > 0;

    std::vector<double> tempos, processadores, verificacoes;
    std::vector<int> candidatos, tipos;
    std::vector<Contagem> contagens;
    for (int s = primeira; s < primeira + quantas; ++s) {
        const auto inicio = Relogio::now();
        const double cpu = processador();
        const comandoNiveis::Novo novo = comandoNiveis::novo(static_cast<uint64_t>(s));
        const double segundos = segundosDesde(inicio);
        const double segundosCpu = processador() - cpu;
        if (novo.texto.empty()) {
            std::printf("seed %d: none of %d candidates passed\n", s, novo.candidatos);
            continue;
        }
        const ArquivoNivel::Leitura l = ArquivoNivel::lerTexto(novo.texto, "seed");
        const Contagem c = contar(*l.descricao);
        int usados = 0;
        for (int k = 0; k < TIPOS; ++k) usados += embutidos[k] > 0 && c[k] > 0;
        // One more check of the level made, in full: its cost alone.
        const NivelEmProva nivel(*l.descricao);
        const double antes = processador();
        verificacaoNivel::verificar(nivel.getNivel(), verificacaoNivel::Modo::COMPLETO);
        verificacoes.push_back(processador() - antes);

        tempos.push_back(segundos);
        processadores.push_back(segundosCpu);
        candidatos.push_back(novo.candidatos);
        tipos.push_back(usados);
        contagens.push_back(c);
        std::printf("seed %3d: %5.2f s (processor %5.2f s), %d candidate%s, %d of %d kinds:", s, segundos, segundosCpu,
                    novo.candidatos,
                    novo.candidatos > 1 ? "s" : " ", usados, tiposEmbutidos);
        for (int k = 0; k < TIPOS; ++k) std::printf(" %d", c[k]);
        std::printf("\n");
        std::fflush(stdout);
    }
    if (tempos.empty()) return 1;
    auto resumo = [](const char* nome, auto v, const char* unidade) {
        std::sort(v.begin(), v.end());
        std::printf("%s: min %g%s, median %g%s, max %g%s\n", nome, static_cast<double>(v.front()), unidade,
                    static_cast<double>(mediana(v)), unidade, static_cast<double>(v.back()), unidade);
    };
    std::printf("\n%zu seeds\n", tempos.size());
    resumo("time to a certified level", tempos, " s");
    resumo("processor time to a certified level", processadores, " s");
    resumo("candidates tried", candidatos, "");
    resumo("processor time of one full check (every game played)", verificacoes, " s");
    resumo("kinds of the built-in levels' features used", tipos, "");
    for (int n = 0; n <= tiposEmbutidos; ++n) {
        const auto quantos = std::count(tipos.begin(), tipos.end(), n);
        if (quantos) std::printf("  %d of %d kinds: %ld levels\n", n, tiposEmbutidos, static_cast<long>(quantos));
    }
    for (int k = 0; k < TIPOS; ++k) {
        std::vector<int> v;
        int com = 0;
        for (const Contagem& c : contagens) {
            v.push_back(c[k]);
            com += c[k] > 0;
        }
        std::sort(v.begin(), v.end());
        std::printf("  %-13s in %3d levels; per level min %d, median %d, max %d (built-in levels: %d and %d)\n",
                    NOMES[k], com, v.front(), mediana(v), v.back(), porEmbutido[0][k], porEmbutido[1][k]);
    }
    return 0;
}

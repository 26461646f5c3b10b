// Paints every picture of the menus and screens and the six runner sheets
// into the folder given (the game's data folder), and the program's icon in
// the icon theme's sizes into the second folder, when one is given.
#include "ArquivoPng.h"
#include "Desenho.h"
#include "Personagens.h"
#include "Telas.h"
#include "dados/Figuras.h"
#include "dados/Leiaute.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Pintura {
    std::string caminho;  // relative to the game's working directory
    std::function<Quadro()> pintar;
};

std::vector<Pintura> pinturas() {
    using figuras::Item;
    std::vector<Pintura> lista = {
        {figuras::FUNDO_MENU, telas::menu},
        {figuras::CREDITOS, telas::creditos},
        {figuras::INSTRUCOES, telas::instrucoes},
        {figuras::PAUSA, telas::pausa},
        {figuras::CARREGANDO, telas::carregando},
        {figuras::PARABENS, telas::parabens},
        {figuras::ENTRADA, telas::entrada},
        {figuras::SELECAO, telas::selecao},
        {figuras::moldura(0), telas::molduraVazia},
    };
    struct Rotulo {
        Item item;
        const char* texto;
        int largura;
    };
    for (const Rotulo& r : {Rotulo{Item::CREDITOS, "CREDITS", leiaute::INTEGRANTES.largura},
                            Rotulo{Item::INSTRUCOES, "RULES", leiaute::INSTRUCOES.largura},
                            Rotulo{Item::SAIR, "QUIT", leiaute::SAIR.largura}}) {
        for (bool destaque : {false, true})
            lista.push_back({figuras::item(r.item, destaque), [=] {
                                 return telas::itemMenu(r.texto, r.largura, leiaute::ALTURA_ITEM, destaque);
                             }});
    }
    for (bool destaque : {false, true})
        lista.push_back({figuras::item(Item::ROTULO_JOGADORES, destaque),
                         [=] { return telas::rotuloJogadores(destaque); }});
    for (int n = 1; n <= 6; ++n) {
        for (bool destaque : {false, true}) {
            lista.push_back({figuras::algarismo(n, destaque), [=] { return telas::algarismo(n, destaque); }});
            lista.push_back({figuras::retrato(n, destaque), [=] { return telas::retrato(n, destaque); }});
        }
        lista.push_back({figuras::moldura(n), [=] { return telas::cursor(n); }});
        const auto& p = personagens::elenco()[static_cast<size_t>(n - 1)];
        lista.push_back({figuras::folha(n), [&p] { return personagens::folha(p); }});
    }
    return lista;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s GAME_DIRECTORY [ICON_DIRECTORY]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path raiz = argv[1];
    for (const Pintura& f : pinturas()) {
        const std::filesystem::path destino = raiz / f.caminho;
        std::filesystem::create_directories(destino.parent_path());
        if (!f.pintar().salvarBmp(destino.string())) {
            std::fprintf(stderr, "cannot write %s\n", destino.string().c_str());
            return 1;
        }
    }
    if (argc == 3) {
        // Pixel art stays crisp at whole multiples of its size.
        const Quadro icone = telas::icone();
        for (int fator : {1, 2, 4}) {
            const int lado = icone.largura() * fator;
            const std::filesystem::path pasta =
                std::filesystem::path(argv[2]) / (std::to_string(lado) + "x" + std::to_string(lado)) / "apps";
            std::filesystem::create_directories(pasta);
            const std::string destino = (pasta / "avesso.png").string();
            if (!salvarPng(desenho::ampliar(icone, fator), destino)) {
                std::fprintf(stderr, "cannot write %s\n", destino.c_str());
                return 1;
            }
        }
    }
    return 0;
}

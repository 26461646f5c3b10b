// Paints every picture of the menus and screens and the six runner sheets
// into the folder given (the game's data folder), and the program's icon in
// the icon theme's sizes into the second folder, when one is given.
#include "ArquivoPng.h"
#include "Desenho.h"
#include "Personagens.h"
#include "Telas.h"
#include "classesControle/Leiaute.h"

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
    const std::string menu = "src/Img/menu/";
    std::vector<Pintura> lista = {
        {menu + "menu.bmp", telas::menu},
        {menu + "bg_integrantes.bmp", telas::creditos},
        {menu + "bg_instrucoes.bmp", telas::instrucoes},
        {menu + "pause.bmp", telas::pausa},
        {menu + "bg_carregando.bmp", telas::carregando},
        {menu + "parabens.bmp", telas::parabens},
        {menu + "enter.bmp", telas::entrada},
        {menu + "bg_selecao.bmp", telas::selecao},
        {menu + "sel_0.bmp", telas::molduraVazia},
    };
    struct Item {
        const char* nome;
        const char* texto;
        int largura;
    };
    for (const Item& item : {Item{"integrantes", "CREDITS", leiaute::INTEGRANTES.largura},
                             Item{"instrucoes", "RULES", leiaute::INSTRUCOES.largura},
                             Item{"sairdojogo", "QUIT", leiaute::SAIR.largura}}) {
        for (bool destaque : {false, true}) {
            lista.push_back({menu + item.nome + (destaque ? "_2" : "") + ".bmp",
                             [=] {
                                 return telas::itemMenu(item.texto, item.largura, leiaute::ALTURA_ITEM, destaque);
                             }});
        }
    }
    for (bool destaque : {false, true})
        lista.push_back({menu + (destaque ? "chooseplayer_2" : "chooseplayer") + ".bmp",
                         [=] { return telas::rotuloJogadores(destaque); }});
    for (int n = 1; n <= 6; ++n) {
        const std::string i = std::to_string(n);
        lista.push_back({menu + "img" + i + ".bmp", [=] { return telas::algarismo(n, false); }});
        lista.push_back({menu + "img" + i + "_2.bmp", [=] { return telas::algarismo(n, true); }});
        lista.push_back({menu + "sel_" + i + ".bmp", [=] { return telas::cursor(n); }});
        lista.push_back({menu + "sel_j" + i + ".bmp", [=] { return telas::retrato(n, false); }});
        lista.push_back({menu + "sel_j" + i + "_2.bmp", [=] { return telas::retrato(n, true); }});
        const auto& p = personagens::elenco()[static_cast<size_t>(n - 1)];
        lista.push_back({"src/Img/Jogo/player " + i + "a.bmp", [&p] { return personagens::folha(p); }});
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

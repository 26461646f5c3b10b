// The menu and screen pictures as the game uses them: the sizes it copies,
// the places it blits items at, and the mask colour it must never meet on
// an opaque screen.
#include "FiguraGerada.h"
#include "dados/Leiaute.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const std::string MENU = "src/Img/menu/";

// A piece the game blits over a background at a fixed place.
struct Peca {
    std::string nome;  // without "_2" and ".bmp"
    int largura, altura, x, y;
};

Peca peca(const std::string& nome, const leiaute::Peca& p) { return {nome, p.largura, p.altura, p.x, p.y}; }

std::vector<Peca> itensDoMenu() {
    using namespace leiaute;
    std::vector<Peca> p = {peca("chooseplayer", ROTULO_JOGADORES), peca("integrantes", INTEGRANTES),
                           peca("instrucoes", INSTRUCOES), peca("sairdojogo", SAIR)};
    for (int i = 0; i < 6; ++i)
        p.push_back({"img" + std::to_string(i + 1), LARGURA_ALGARISMO[i], ALTURA_ITEM, X_ALGARISMO_MENU[i],
                     LINHA_JOGADORES});
    return p;
}

const std::vector<std::string> TELAS = {"menu", "bg_integrantes", "bg_instrucoes", "pause",
                                        "bg_carregando", "parabens", "bg_selecao"};

std::vector<std::pair<std::string, std::pair<int, int>>> todasComTamanho() {
    std::vector<std::pair<std::string, std::pair<int, int>>> t;
    for (const auto& tela : TELAS) t.push_back({MENU + tela + ".bmp", {640, 480}});
    t.push_back({MENU + "enter.bmp", {640, 480}});
    for (const Peca& p : itensDoMenu()) {
        t.push_back({MENU + p.nome + ".bmp", {p.largura, p.altura}});
        t.push_back({MENU + p.nome + "_2.bmp", {p.largura, p.altura}});
    }
    const std::pair<int, int> moldura = {leiaute::SLOT_LADO, leiaute::SLOT_LADO};
    const std::pair<int, int> miniatura = {leiaute::MINIATURA_LADO, leiaute::MINIATURA_LADO};
    for (int n = 0; n <= 6; ++n) t.push_back({MENU + "sel_" + std::to_string(n) + ".bmp", moldura});
    for (int n = 1; n <= 6; ++n) {
        t.push_back({MENU + "sel_j" + std::to_string(n) + ".bmp", miniatura});
        t.push_back({MENU + "sel_j" + std::to_string(n) + "_2.bmp", miniatura});
        t.push_back({"src/Img/Jogo/player " + std::to_string(n) + "a.bmp", {210, 96}});
    }
    return t;
}

}  // namespace

TEST(Figuras, EachExistsAtTheSizeTheGameCopies) {
    for (const auto& [caminho, tamanho] : todasComTamanho()) {
        SCOPED_TRACE(caminho);
        FiguraGerada f(caminho);
        ASSERT_TRUE(f.carregada());
        EXPECT_EQ(f.largura(), tamanho.first);
        EXPECT_EQ(f.altura(), tamanho.second);
    }
}

TEST(Figuras, EverythingIsPaintedWithTheGamesPalette) {
    for (const auto& [caminho, tamanho] : todasComTamanho()) {
        SCOPED_TRACE(caminho);
        FiguraGerada f(caminho);
        std::set<uint32_t> estranhas;
        for (int y = 0; y < f.altura(); ++y)
            for (int x = 0; x < f.largura(); ++x)
                if (uint32_t c = f.cor(x, y); c != FiguraGerada::MASCARA && !daPaleta(c)) estranhas.insert(c);
        EXPECT_TRUE(estranhas.empty()) << estranhas.size() << " colours outside the palette";
    }
}

// A pink pixel in a menu buffer drawn as a sprite leaves a hole showing the
// previous screen.
TEST(Figuras, ScreensAndItemsHoldNoMaskColour) {
    std::vector<std::string> opacas;
    for (const auto& tela : TELAS) opacas.push_back(MENU + tela + ".bmp");
    for (const Peca& p : itensDoMenu()) {
        opacas.push_back(MENU + p.nome + ".bmp");
        opacas.push_back(MENU + p.nome + "_2.bmp");
    }
    for (int n = 0; n <= 6; ++n) opacas.push_back(MENU + "sel_" + std::to_string(n) + ".bmp");
    for (int n = 1; n <= 6; ++n) {
        opacas.push_back(MENU + "sel_j" + std::to_string(n) + ".bmp");
        opacas.push_back(MENU + "sel_j" + std::to_string(n) + "_2.bmp");
    }
    for (const auto& caminho : opacas) {
        SCOPED_TRACE(caminho);
        FiguraGerada f(caminho);
        ASSERT_TRUE(f.carregada());
        int rosa = 0;
        for (int y = 0; y < f.altura(); ++y)
            for (int x = 0; x < f.largura(); ++x) rosa += f.cor(x, y) == FiguraGerada::MASCARA;
        EXPECT_EQ(rosa, 0);
    }
}

TEST(Figuras, TheEnterPromptLeavesTheLevelAndTheRunnersVisible) {
    FiguraGerada f(MENU + "enter.bmp");
    ASSERT_TRUE(f.carregada());
    int pintados = 0, x0 = 640, y0 = 480, x1 = -1, y1 = -1;
    std::set<uint32_t> cores;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            uint32_t c = f.cor(x, y);
            if (c == FiguraGerada::MASCARA) continue;
            ++pintados;
            cores.insert(c);
            x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
    EXPECT_LT(pintados, 640 * 480 / 4) << "the level should show around the banner";
    EXPECT_GE(x1 - x0, 300) << "a banner wide enough to read";
    EXPECT_GE(y1 - y0, 40);
    EXPECT_GE(cores.size(), 3u) << "text on a panel needs more than one colour";
    // Runners start at x 320..362, rows 55..337: the banner keeps clear of them.
    for (int y = 55; y <= 337; ++y)
        for (int x = 320; x <= 362; ++x) ASSERT_EQ(f.cor(x, y), FiguraGerada::MASCARA) << x << "," << y;
}

// Items are blitted opaque: whatever the background has under them must be
// the item's own background, or a patch of a different colour shows.
TEST(Figuras, ItemsHaveThePanelBehindThem) {
    FiguraGerada menu(MENU + "menu.bmp");
    FiguraGerada selecao(MENU + "bg_selecao.bmp");
    auto conferir = [](const FiguraGerada& fundo, const Peca& p, const FiguraGerada& item) {
        SCOPED_TRACE(p.nome);
        const uint32_t painel = item.cor(0, 0);
        int outras = 0;
        for (int y = p.y - 2; y < p.y + p.altura + 2; ++y)
            for (int x = p.x - 2; x < p.x + p.largura + 2; ++x) outras += fundo.cor(x, y) != painel;
        EXPECT_EQ(outras, 0) << "background pixels around the item that are not its panel colour";
    };
    for (const Peca& p : itensDoMenu()) conferir(menu, p, FiguraGerada(MENU + p.nome + ".bmp"));
    // The digit of the player choosing goes after "PLAYER" on the selection screen.
    for (int n = 1; n <= 6; ++n) {
        Peca p{"img" + std::to_string(n), leiaute::LARGURA_ALGARISMO[n - 1], leiaute::ALTURA_ITEM,
               leiaute::ALGARISMO_SELECAO_X, leiaute::LINHA_JOGADORES};
        conferir(selecao, p, FiguraGerada(MENU + p.nome + ".bmp"));
    }
}

TEST(Figuras, AHighlightShowsFromAfar) {
    for (const Peca& p : itensDoMenu()) {
        SCOPED_TRACE(p.nome);
        FiguraGerada normal(MENU + p.nome + ".bmp"), destaque(MENU + p.nome + "_2.bmp");
        EXPECT_GT(normal.diferencas(destaque), p.largura * p.altura / 3);
        EXPECT_GT(normal.distanciaMedia(destaque), 40.0);
    }
}

TEST(Figuras, ATakenCharacterShowsDimmed) {
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        FiguraGerada livre(MENU + "sel_j" + std::to_string(n) + ".bmp");
        FiguraGerada ocupado(MENU + "sel_j" + std::to_string(n) + "_2.bmp");
        EXPECT_GT(livre.diferencas(ocupado), 70 * 70 / 3);
        EXPECT_LT(ocupado.brilhoMedio(), livre.brilhoMedio() * 0.8);
    }
}

TEST(Figuras, EachPlayersCursorHasItsOwnColour) {
    // Only the outer 5 pixels of a frame show around a thumbnail: read the ring there.
    std::set<uint32_t> cores;
    for (int n = 0; n <= 6; ++n) {
        FiguraGerada f(MENU + "sel_" + std::to_string(n) + ".bmp");
        cores.insert(f.cor(2, 40));
    }
    EXPECT_EQ(cores.size(), 7u) << "six cursor colours and the empty frame's, all different";
}

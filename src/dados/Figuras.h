#pragma once

#include <string>

// Where every picture of the menus, screens and runners lies, relative to
// the game's data folder: the game reads them there and the painter paints
// them there, so each name is written here only. The level pictures are
// named by the table of levels (Niveis.h).
namespace figuras {

inline const std::string MENU = "src/Img/menu/";
inline const std::string JOGO = "src/Img/Jogo/";

// Full screens.
inline const std::string FUNDO_MENU = MENU + "menu.bmp";
inline const std::string CREDITOS = MENU + "bg_integrantes.bmp";
inline const std::string INSTRUCOES = MENU + "bg_instrucoes.bmp";
inline const std::string PAUSA = MENU + "pause.bmp";
inline const std::string CARREGANDO = MENU + "bg_carregando.bmp";
inline const std::string PARABENS = MENU + "parabens.bmp";
inline const std::string ENTRADA = MENU + "enter.bmp";  // drawn over a level's first frame
inline const std::string SELECAO = MENU + "bg_selecao.bmp";

// The main menu's items, each normal or highlighted.
enum class Item { ROTULO_JOGADORES, CREDITOS, INSTRUCOES, SAIR };
inline std::string item(Item item, bool destaque) {
    static const char* const NOMES[] = {"chooseplayer", "integrantes", "instrucoes", "sairdojogo"};
    return MENU + NOMES[static_cast<int>(item)] + (destaque ? "_2" : "") + ".bmp";
}
// Digit n (1 to 6) of the number of players, also the selection's.
inline std::string algarismo(int n, bool destaque) {
    return MENU + "img" + std::to_string(n) + (destaque ? "_2" : "") + ".bmp";
}

// The character selection: an empty frame (jogador 0) or player n's cursor
// frame, and character k's thumbnail (1 to 6), free or taken.
inline std::string moldura(int jogador) { return MENU + "sel_" + std::to_string(jogador) + ".bmp"; }
inline std::string retrato(int k, bool tomado) {
    return MENU + "sel_j" + std::to_string(k) + (tomado ? "_2" : "") + ".bmp";
}

// Character k's sprite sheet (1 to 6).
inline std::string folha(int k) { return JOGO + "player " + std::to_string(k) + "a.bmp"; }

// What the invisible objects (speed columns, finish line, the view) carry:
// one pixel of the mask colour.
inline const std::string PIXEL_TRANSPARENTE = JOGO + "pixelTransparente.bmp";

}  // namespace figuras

#pragma once

#include <string>

// Every full-screen moment outside the race: the main menu, the credits and
// instructions, the pause screen and the character selection. Each screen is
// one blocking call that polls the keyboard and returns when the player has
// decided; it loads its pictures on entry and releases them on every way out.
class Menu {
public:
    Menu();
    virtual ~Menu();

    // Number of players (1 to 6), or 9 to quit (the quit item or Escape).
    static int menu();
    // Lets each of the `opcao` players take one of the six characters, no two
    // alike. Returns a new array of six strings (entry i: player i + 1's
    // sprite sheet, entries from `opcao` on empty; release with delete[]), or
    // null when the players back out with Escape.
    static std::string* BGselecao(int opcao);
    // Credits and instructions: shown until Escape; return 1.
    static int BGintegrantes();
    static int BGinstrucoes();
    // Shown until P is pressed; the level stands still meanwhile.
    static void pause();

    // The window's close button asks every screen to give up at once, as if
    // the player had backed out of each: the game then quits.
    static void pedirSaida();
    static bool isSaidaPedida();

    static constexpr int QUIT = 9;
};

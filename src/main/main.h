#pragma once

#include "dados/Niveis.h"
#include "sistema/Janela.h"

#include <string>
#include <vector>

class ListaNiveis;
class Mapa;
class Runner;

// Start-up and shutdown of the game library.

// Reads the user's configuration file, opens the window in 32-bit colour
// as the command line, else the file's [window] section, asks (640 x 480
// unless they ask otherwise), and installs the timer, the keyboard, F11 for
// fullscreen and the gamepads, if there are any. When any of it fails it
// says so on standard error and ends the program with a non-zero code:
// nothing can be shown without a window.
void init(const Janela::Pedido& daLinhaDeComando = {});
// Stops polling the gamepads, releases the keyboard buffer and shuts the
// library down.
void deinit();

// Starts digital sound and MIDI, pointing Allegro's software synthesizer at
// the General MIDI patches the build links in, when they are there, with
// voices kept apart for the music and the effects; then loads the effects
// and sets the volumes. Without a sound card or patches the game runs
// silently.
void iniciarSom();

// The whole game: menus, character selection, both levels and the
// congratulations screen, until the player quits, in the window the command
// line asks for. Returns the exit code: 0,
// or 1 when a level cannot be built (its pictures, or memory).
int executarJogo(const Janela::Pedido& daLinhaDeComando = {});
// The same game with `niveis` played in their order instead of the built-in
// two (none of them may be missing: see ListaNiveis).
int executarJogo(const Janela::Pedido& daLinhaDeComando, ListaNiveis& niveis);

// Plays `arquivos`, level files and folders of them (see
// ListaNiveis::dosArquivos), as executarJogo does: each file with a mistake
// is said on standard error and left out; with none left, says so and
// returns 1 before any window opens. Returns the game's exit code.
int jogarArquivos(const std::vector<std::string>& arquivos, const std::string& origem,
                  const Janela::Pedido& daLinhaDeComando);
// Plays three fresh levels made from `semente` ("random", or a whole
// number; see NiveisNovos), printing a seed drawn at random on standard
// output. The window opens on the loading picture while the levels are
// made, and the close button, Ctrl-C or Escape end the game there. A level
// that cannot be made is said on standard error and the game ends with 1.
int jogarSemente(const std::string& semente, const Janela::Pedido& daLinhaDeComando);
// The game flow of executarJogo in a window already open: from the menus
// to the player's quitting, then the window closes. Returns the exit code.
int jogarNiveis(ListaNiveis& niveis);

// Players' controls.

// Runner of player i + 1 while a level is played, else null.
extern Runner* pointPlayers[niveis::MAX_JOGADORES];

// Timer callback, every millisecond for each runner: flips the runner's
// gravity when its player's key, or gamepad button, has a press to act on
// and the runner stands; the flip uses the press up. A press in the air
// waits for the landing while its key is held, and is gone once let go. At
// most one press flips a runner per landing: a key's and a button's waiting
// together flip it once, and the other waits for the next landing.
void controle(void* player);
// The rule of a press: a runner flips only while it stands. Returns whether
// it flipped, which is when the press is used up; the flip's sound is
// noted for the main thread.
bool virarSeEmPe(Runner& runner);
// Removes the callbacks of runners 1 to numPlayers and clears their entries.
void descarregarControle(int numPlayers);

// Level builders.

// Builds `nivel`'s map with one runner per player (entry i of `players` is
// the sprite sheet of player i + 1), the screen-speed columns and the finish
// line. `aoCriarRunner`, if given, runs for each runner once the level
// is whole. Throws the map's int when a level picture cannot be loaded,
// std::bad_alloc when memory runs out; then nothing of the level is left.
Mapa* montarNivel(const niveis::Nivel& nivel, const std::string* players, int numPlayers,
                  void (*aoCriarRunner)(int indice, Runner* runner));

// Level `numero` (from 1) of the table in Niveis.h: loading picture, map,
// runners with their key callbacks installed. The caller owns the map.
Mapa* carregaNivel(int numero, std::string* players, int numPlayers);
// The first two levels.
Mapa* carregaMapa1(std::string* players, int numPlayers);
Mapa* carregaMapa2(std::string* players, int numPlayers);

// Level loop.

// What the game flow must do after an attempt at a level, in a game of
// `numNiveis` levels.
struct DesfechoNivel {
    explicit DesfechoNivel(int numNiveis = niveis::NUM_NIVEIS) : sairMapa(static_cast<size_t>(numNiveis), false) {}

    std::vector<bool> sairMapa;  // level i + 1 is done with this cycle
    bool telaParabens = false;   // the congratulations screen is due

    std::vector<bool>::reference sairMapa1() { return sairMapa[0]; }
    std::vector<bool>::reference sairMapa2() { return sairMapa[1]; }
};

// What decided the end of an attempt at a level.
enum class MotivoFim {
    REPETIR,  // everyone out and nobody won: the level is played again
    ESC,      // Escape, or the game was asked to quit
    F10,      // skipped, as if won
    VITORIA,  // the race ended with a winner
};

// Decides what an attempt at level `numero` (from 1) ended with, from the
// keys down and the race when its loop stopped, and updates `desfecho` for
// the game flow: Escape leaves this level and every later one; a win or F10
// goes on to the next level, or after the last to the congratulations.
// Escape decides first; then the first level lets a won race decide before
// F10, and the others let F10 decide first. The caller clears the key that
// decided.
MotivoFim decidirDesfecho(int numero, bool esc, bool f10, bool venceu, DesfechoNivel& desfecho);

// Plays one attempt at level `numero` (from 1) of `niveis`, from the
// loading picture (behind which a level file's pictures are painted the
// first time) and the Enter prompt to its end, and updates `desfecho`. The
// level's pictures stay kept for a retry, and its memory for the next
// level, until FigurasNivel::liberar.
// Throws std::runtime_error naming the level picture that cannot be loaded
// or painted, or saying that memory ran out.
void jogarNivel(ListaNiveis& niveis, int numero, std::string* players, int numPlayers, DesfechoNivel& desfecho);

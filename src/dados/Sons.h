#pragma once

#include <string>

// The game's sound effects as the game, their generator and their tests
// share them: which there are, where each lies in the data folder, how long
// each lasts, and the few numbers the game plays them by.
namespace sons {

enum class Efeito {
    VIRAR_TETO,     // a runner flips towards the ceiling
    VIRAR_CHAO,     // a runner flips back towards the floor
    FORA,           // a runner drops out
    CHEGADA,        // a runner crosses the finish line
    MENU_MOVER,     // a highlight or a cursor moves
    MENU_ESCOLHER,  // an item is chosen
    MENU_VOLTAR,    // a screen is left with Escape
    SELECAO_TOMAR,  // a player takes a runner in the selection
    PAUSA_ABRIR,
    PAUSA_FECHAR,
};
constexpr int NUM_EFEITOS = 10;

// 16-bit mono PCM in WAV files, written by the build at this rate.
constexpr int FREQUENCIA = 22050;

struct Arquivo {
    const char* nome;  // file name inside PASTA
    int duracaoMs;     // how long the sound lasts
};

// Indexed by Efeito.
constexpr Arquivo ARQUIVOS[NUM_EFEITOS] = {
    {"virar_teto.wav", 140},   {"virar_chao.wav", 140},   {"fora.wav", 520},        {"chegada.wav", 640},
    {"menu_mover.wav", 45},    {"menu_escolher.wav", 170}, {"menu_voltar.wav", 170}, {"selecao_tomar.wav", 260},
    {"pausa_abrir.wav", 200},  {"pausa_fechar.wav", 200},
};

inline const std::string PASTA = "sons/";

inline std::string caminho(Efeito efeito) { return PASTA + ARQUIVOS[static_cast<int>(efeito)].nome; }

// The loudest a generated sample gets, as a share of full scale: room left
// for the mixer's rounding, and no sample clips.
constexpr double PICO = 0.7;

// Each runner's sounds are played this many semitones above the file, so
// that in a crowded race a player knows their own flip by its pitch; six
// flips together make a chord rather than a noise.
constexpr int SEMITONS_JOGADOR[7] = {0, 0, 2, 4, 5, 7, 9};  // by player number, 0 for no player

// Voices the mixer keeps for each kind of sound: the music's synthesizer
// steals among its own only, and a burst of six flips with a drop-out and
// a finish still finds a voice each.
constexpr int VOZES_MUSICA = 24;
constexpr int VOZES_EFEITOS = 12;

// The [sound] section of the configuration file, 0 to 100. Music at 100 is
// the music's level as Allegro plays it untouched; effects at 70 sit a
// little above the music's average loudness, as a sound that answers a key
// should.
constexpr int MUSICA_PADRAO = 100;
constexpr int EFEITOS_PADRAO = 70;

// The key that mutes and unmutes everything on every screen, as the rules
// screen, the Enter prompt and the configuration file name it.
constexpr const char* TECLA_MUDO = "F12";

}  // namespace sons

#pragma once

#include "dados/Sons.h"

// The game's sound effects and the volumes a player controls: the effects
// are loaded once at start-up and started on the main thread when their
// event happens, each runner's a little higher than the one before; the
// music and the effects each have a volume, and one key mutes everything.
// Nothing in starting a sound loads, allocates or waits.
class Efeitos {
public:
    // What starts a sound: Allegro's mixer in the game, a recorder in tests.
    // `jogador` is the runner's player number, 0 for a sound of no runner.
    using Tocador = void (*)(sons::Efeito efeito, int jogador);

    // The volumes read from the configuration file, 0 to 100; before
    // iniciar.
    static void definirVolumes(int musica, int efeitos);

    // After install_sound, with whether it gave a digital sound driver: sets
    // the music's volume and loads every effect; a missing or damaged one is
    // said in one line and left out. Without a driver nothing is loaded and
    // nothing is said: the game plays silently.
    static void iniciar(bool comSom);
    // Lets the effects go; before Allegro shuts down.
    static void encerrar();

    // Starts `efeito` now, unless sound is muted or the effects' volume is 0.
    // Main thread.
    static void tocar(sons::Efeito efeito, int jogador = 0);

    // A flip, noted from any thread, Allegro's timer callbacks included
    // (they must not call into Allegro): one lock-free store. Its sound
    // starts at the main thread's next tocarPendentes.
    static void anunciarVirada(int jogador, bool paraCima);
    // Starts the sound of every flip noted since the last call, in player
    // order. The frame loop calls it before each frame, so a flip is heard
    // with the first frame that shows it; the screens that wait call it as
    // they rest.
    static void tocarPendentes();

    // The mute key: silences the music and the effects at once, or brings
    // them back.
    static void alternarMudo();
    static bool isMudo();

    // Null gives Allegro's mixer back. Returns the one replaced, so a
    // measurement can pass each sound on to it.
    static Tocador setTocador(Tocador tocador);

    // Allegro's playback frequency for a runner's sounds: 1000 is the
    // file's own pitch.
    static int frequenciaDoJogador(int jogador);
};

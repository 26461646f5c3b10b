#pragma once

// The keyboard that every screen and the players' controls read: Allegro's
// key[] array, which its input thread writes, read and used up with atomic
// accesses, and the presses a hook on that thread heard. A screen uses a
// press up, so one press acts once. key[] alone loses a press and release
// that reach the input thread in one of its ticks, and cannot tell a repeat
// from X's auto-repeat of a key still held from the screen before; the hook
// keeps every press until a screen uses it, and a key used up and still
// held when a new screen opens stays used up until it is released.
class Teclado {
public:
    // Hooks into Allegro's keyboard, once it is installed. Without the hook
    // (tests without a window) key[] alone decides.
    static void instalar();

    // Whether `tecla` has a press this screen may act on: held, or pressed
    // and released since the screen opened without being used.
    static bool isApertada(int tecla);
    // Uses up one press of `tecla`, if there is one; whether there was.
    static bool consumir(int tecla);
    // A press looked at that cannot act now (a runner in the air, a cursor
    // at its end): if the key is no longer held its presses are forgotten,
    // as a key let go before it was used; if it is held, its one press
    // waits.
    static void esquecerSoltas(int tecla);

    // A screen opens (or comes back after another one): presses of keys
    // already let go were not meant for it and are forgotten; keys used up
    // and still held ignore their repeats until released. A key held but
    // never used stays pressed.
    static void novaTela();

    // What Allegro's input thread reports for every key event: a scancode,
    // with bit 7 set for a release.
    static void registrarEvento(int scancode);

    // A key that acts the same on every screen, race included, and that no
    // screen reads: each of its presses runs `acao` once, on the main
    // thread, at the screen's next look at the keys (atenderGlobais).
    static void registrarGlobal(int tecla, void (*acao)());
    // Every screen calls this whenever it looks at the keys or rests.
    static void atenderGlobais();
};

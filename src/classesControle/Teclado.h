#pragma once

// The keyboard that every screen and the players' controls read: Allegro's
// key[] array, which its input thread writes, read and used up with atomic
// accesses. A screen uses a press up by writing 0 into its entry, so one
// press acts once. What key[] alone cannot tell is a repeat from X's
// auto-repeat of a key still held from the screen before; a hook on the
// input thread tells presses, repeats and releases apart, and a key used up
// and still held when a new screen opens stays used up until it is released.
class Teclado {
public:
    // Hooks into Allegro's keyboard, once it is installed. Without the hook
    // (tests without a window) key[] alone decides.
    static void instalar();

    // Whether `tecla` is down with a press this screen may act on.
    static bool isApertada(int tecla);
    // Uses up the press of `tecla`, if there is one; whether there was.
    static bool consumir(int tecla);

    // A screen opens (or comes back after another one): keys used up and
    // still held ignore their repeats until released. A key held but never
    // used stays pressed, as key[] says.
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

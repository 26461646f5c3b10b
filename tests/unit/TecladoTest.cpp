// Presses, X's auto-repeats and releases as Allegro's input thread reports
// them, against the screens' way of reading keys.
#include "classesControle/Teclado.h"

#include <allegro.h>
#include <gtest/gtest.h>

namespace {

// What the input thread does for a press or a repeat: Allegro sets key[],
// then the hook hears the scancode.
void apertar(int tecla) {
    key[tecla] = -1;
    Teclado::registrarEvento(tecla);
}

void soltar(int tecla) {
    key[tecla] = 0;
    Teclado::registrarEvento(tecla | 0x80);
}

TEST(Teclado, ARepeatActsOnTheScreenOfItsPressButNotOnTheNextOne) {
    apertar(KEY_ENTER);
    EXPECT_TRUE(Teclado::consumir(KEY_ENTER));
    EXPECT_FALSE(Teclado::isApertada(KEY_ENTER));
    apertar(KEY_ENTER);  // a repeat, as the library reports it
    EXPECT_TRUE(Teclado::consumir(KEY_ENTER));

    // A new screen: the key was used and is still held.
    Teclado::novaTela();
    apertar(KEY_ENTER);
    EXPECT_FALSE(Teclado::isApertada(KEY_ENTER));
    EXPECT_FALSE(Teclado::consumir(KEY_ENTER));
    EXPECT_EQ(key[KEY_ENTER], 0);

    // Released and pressed again, it acts.
    soltar(KEY_ENTER);
    apertar(KEY_ENTER);
    EXPECT_TRUE(Teclado::consumir(KEY_ENTER));
    soltar(KEY_ENTER);
}

TEST(Teclado, AKeyHeldButNeverUsedStaysPressedOnTheNextScreen) {
    apertar(KEY_F10);
    Teclado::novaTela();
    apertar(KEY_F10);  // repeats change nothing either
    EXPECT_TRUE(Teclado::isApertada(KEY_F10));
    EXPECT_TRUE(Teclado::consumir(KEY_F10));
    soltar(KEY_F10);
}

TEST(Teclado, WithoutTheHookKeyAloneDecides) {
    key[KEY_P] = 1;
    Teclado::novaTela();
    EXPECT_TRUE(Teclado::isApertada(KEY_P));
    EXPECT_TRUE(Teclado::consumir(KEY_P));
    EXPECT_EQ(key[KEY_P], 0);
    key[KEY_P] = 1;  // set again: a new press
    EXPECT_TRUE(Teclado::consumir(KEY_P));
    EXPECT_FALSE(Teclado::consumir(KEY_P));
}

// The input thread's ticks against a screen that looks at a key once per
// pass and uses every press it finds. Allegro sets key[] on a press and
// clears it on a release, so a tick that holds both leaves key[] as it was.
struct Toques {
    const char* caso;
    const char* ticks;  // per tick: 'd' down, 'u' up; '|' ends the tick, and the screen makes a pass
    int acoes;
};

int passar(const char* ticks) {
    int acoes = 0;
    for (const char* c = ticks;; ++c) {
        if (*c == 'd') apertar(KEY_DOWN);
        if (*c == 'u') soltar(KEY_DOWN);
        if (*c == '|' || *c == '\0') acoes += Teclado::consumir(KEY_DOWN);
        if (*c == '\0') return acoes;
    }
}

TEST(Teclado, EveryPressActsOnceHoweverShort) {
    const Toques casos[] = {
        {"a press and release inside one tick", "du|||", 1},
        {"a key held over many passes", "d||||u|", 1},
        {"two taps inside one tick", "dudu|||", 2},
        {"two taps in two ticks", "du|du||", 2},
        {"a tap, then a press held", "dud|||u|", 2},
        {"repeats of a key held, as X sends them", "d|d|d|u|", 3},
    };
    for (const Toques& t : casos) {
        Teclado::novaTela();
        EXPECT_EQ(passar(t.ticks), t.acoes) << t.caso;
    }
}

// A press let go before a screen could use it was meant for the screen
// before; one at a spot where the rule does not apply is let go with it.
TEST(Teclado, ATapLeftUnusedIsForgottenByTheNextScreenOrWhereItCannotAct) {
    apertar(KEY_DOWN);
    soltar(KEY_DOWN);
    Teclado::novaTela();
    EXPECT_FALSE(Teclado::isApertada(KEY_DOWN));

    apertar(KEY_DOWN);
    soltar(KEY_DOWN);
    Teclado::esquecerSoltas(KEY_DOWN);
    EXPECT_FALSE(Teclado::isApertada(KEY_DOWN));

    // Held, its press waits where it cannot act yet.
    apertar(KEY_DOWN);
    Teclado::esquecerSoltas(KEY_DOWN);
    EXPECT_TRUE(Teclado::consumir(KEY_DOWN));
    EXPECT_FALSE(Teclado::consumir(KEY_DOWN));
    soltar(KEY_DOWN);
}

int acoes = 0;
void contar() { ++acoes; }

// A key every screen answers the same way: one action per press, whichever
// screen looks, and only once however often it looks.
TEST(Teclado, AGlobalKeyActsOncePerPressOnWhicheverScreenLooks) {
    Teclado::registrarGlobal(KEY_F12, contar);
    acoes = 0;
    Teclado::atenderGlobais();
    EXPECT_EQ(acoes, 0);
    apertar(KEY_F12);
    Teclado::atenderGlobais();
    Teclado::atenderGlobais();
    EXPECT_EQ(acoes, 1);
    soltar(KEY_F12);
    Teclado::novaTela();
    apertar(KEY_F12);
    Teclado::atenderGlobais();
    EXPECT_EQ(acoes, 2);
    soltar(KEY_F12);
}

}  // namespace

// The menus' rules, headless: a second thread plays the keyboard, pressing
// each key once the screen has consumed the one before.
#include "AllegroSemTela.h"

#include "GravadorEfeitos.h"
#include "classesBasicas/Efeitos.h"
#include "classesControle/Menu.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

class Teclado {
public:
    explicit Teclado(std::vector<int> teclas) {
        // The screens clear some keys as they open (the selection clears
        // Enter), so the first key waits until the screen has drawn once:
        // `screen` stops holding this mark.
        clear_to_color(screen, MARCA());
        fio = std::thread([this, teclas] {
            if (!esperar([] { return getpixel(screen, 0, 0) != MARCA(); })) return desistir("the screen never drew");
            for (size_t i = 0; i < teclas.size(); ++i) {
                int t = teclas[i];
                __atomic_store_n(&key[t], 1, __ATOMIC_RELEASE);
                if (i + 1 == teclas.size()) break;  // the screen ends on it
                // Each key is cleared once acted on.
                if (!esperar([t] { return __atomic_load_n(&key[t], __ATOMIC_ACQUIRE) == 0; }))
                    return desistir("key " + std::to_string(i + 1) + " was never acted on");
            }
        });
    }
    ~Teclado() {
        fio.join();
        if (!falha.empty()) ADD_FAILURE() << falha;
        for (int t : {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_ENTER, KEY_ESC}) key[t] = 0;
    }

private:
    static int MARCA() { return makecol(1, 2, 3); }

    template <typename Condicao>
    static bool esperar(Condicao condicao) {
        auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!condicao()) {
            if (std::chrono::steady_clock::now() > limite) return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    // Fails the test and lets the screen go with Escape, which every screen
    // under test leaves on.
    void desistir(std::string motivo) {
        falha = std::move(motivo);
        __atomic_store_n(&key[KEY_ESC], 1, __ATOMIC_RELEASE);
    }

    std::string falha;
    std::thread fio;
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override { semTela::iniciar(); }
    semTela::PastaDeTrabalho pasta;  // no menu pictures: nothing is drawn, the rules still hold
};

int menuCom(std::vector<int> teclas) {
    Teclado t(std::move(teclas));
    return Menu::menu();
}

TEST_F(MenuTest, DigitsFormARowWithoutWrapping) {
    EXPECT_EQ(menuCom({KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_ENTER}), 6);
    EXPECT_EQ(menuCom({KEY_LEFT, KEY_ENTER}), 1);
    EXPECT_EQ(menuCom({KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_UP, KEY_ENTER}), 3);
}

TEST_F(MenuTest, UpFromTheItemsReturnsToTheDigitLastReachedEvenInALaterCall) {
    EXPECT_EQ(menuCom({KEY_RIGHT, KEY_RIGHT, KEY_RIGHT, KEY_DOWN, KEY_UP, KEY_ENTER}), 4);
    EXPECT_EQ(menuCom({KEY_DOWN, KEY_UP, KEY_ENTER}), 4);
}

TEST_F(MenuTest, QuitByItemOrEscape) {
    EXPECT_EQ(menuCom({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_ENTER}), Menu::QUIT);
    EXPECT_EQ(menuCom({KEY_ESC}), Menu::QUIT);
}

std::vector<std::string> linhas(const std::string& texto) {
    std::vector<std::string> resultado;
    size_t inicio = 0;
    for (size_t fim; (fim = texto.find('\n', inicio)) != std::string::npos; inicio = fim + 1)
        resultado.push_back(texto.substr(inicio, fim - inicio));
    return resultado;
}

std::string sprite(int personagem) { return "src/Img/Jogo/player " + std::to_string(personagem) + "a.bmp"; }

TEST_F(MenuTest, OnePlayerTakesTheCharacterUnderTheCursor) {
    testing::internal::CaptureStdout();
    std::string* escolha;
    {
        Teclado t({KEY_ENTER});
        escolha = Menu::BGselecao(1);
    }
    std::string saida = testing::internal::GetCapturedStdout();
    ASSERT_NE(escolha, nullptr);
    EXPECT_EQ(escolha[0], sprite(1));
    for (int i = 1; i < 6; ++i) EXPECT_TRUE(escolha[i].empty());
    EXPECT_EQ(linhas(saida), std::vector<std::string>{sprite(1)});
    delete[] escolha;
}

TEST_F(MenuTest, CursorsJumpOverTakenCharactersAndSayHowFar) {
    testing::internal::CaptureStdout();
    std::string* escolha;
    {
        // Player 1 takes character 1; player 2 jumps over it to 2; player 3
        // over both to 3; player 4 starts on the free character 0.
        Teclado t({KEY_RIGHT, KEY_ENTER, KEY_RIGHT, KEY_ENTER, KEY_RIGHT, KEY_ENTER, KEY_ENTER});
        escolha = Menu::BGselecao(4);
    }
    std::string saida = testing::internal::GetCapturedStdout();
    ASSERT_NE(escolha, nullptr);
    EXPECT_EQ(escolha[0], sprite(2));
    EXPECT_EQ(escolha[1], sprite(3));
    EXPECT_EQ(escolha[2], sprite(4));
    EXPECT_EQ(escolha[3], sprite(1));
    EXPECT_EQ(linhas(saida), (std::vector<std::string>{"2", "3", sprite(2), sprite(3), sprite(4), sprite(1)}));
    delete[] escolha;
}

TEST_F(MenuTest, ALaterPlayerStartsOffATakenFirstCharacterAndNoneIsTakenTwice) {
    testing::internal::CaptureStdout();
    std::string* escolha;
    {
        // Everyone presses Enter at once: each cursor is placed on the
        // lowest free character.
        Teclado t(std::vector<int>(6, KEY_ENTER));
        escolha = Menu::BGselecao(6);
    }
    testing::internal::GetCapturedStdout();
    ASSERT_NE(escolha, nullptr);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(escolha[i], sprite(i + 1));
    delete[] escolha;
}

TEST_F(MenuTest, EscapeAbandonsEveryChoice) {
    testing::internal::CaptureStdout();
    std::string* escolha;
    {
        Teclado t({KEY_ENTER, KEY_ESC});
        escolha = Menu::BGselecao(3);
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(escolha, nullptr);
    EXPECT_EQ(key[KEY_ESC], 0);  // consumed: the main menu must not see it
}

// What the screens make heard: a move for each highlight or cursor that
// moves (none for a key that moves nothing), a choice, a runner taken, a
// way back, the pause opening and closing; and nothing while muted.
TEST_F(MenuTest, EachScreenSaysWhatItsKeysDid) {
    using E = sons::Efeito;
    const E M = E::MENU_MOVER, T = E::SELECAO_TOMAR;
    GravadorEfeitos gravador;
    Efeitos::alternarMudo();
    EXPECT_EQ(menuCom({KEY_RIGHT, KEY_ENTER}), 2);
    Efeitos::alternarMudo();
    EXPECT_TRUE(gravador.efeitos().empty()) << "muted";
    EXPECT_EQ(menuCom({KEY_LEFT, KEY_RIGHT, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_UP, KEY_UP, KEY_UP, KEY_ENTER}),
              2);
    {
        // Player 2's second Right jumps over player 1's runner: one move.
        Teclado t({KEY_RIGHT, KEY_RIGHT, KEY_ENTER, KEY_RIGHT, KEY_RIGHT, KEY_ENTER});
        testing::internal::CaptureStdout();
        delete[] Menu::BGselecao(2);
        testing::internal::GetCapturedStdout();
    }
    {
        Teclado t({KEY_ENTER, KEY_ESC});
        EXPECT_EQ(Menu::BGselecao(3), nullptr);
    }
    {
        Teclado t({KEY_P});
        Menu::pause();
    }
    EXPECT_EQ(gravador.efeitos(), (std::vector<E>{M, M, M, M, M, M, M, E::MENU_ESCOLHER, M, M, T, M, M, T, T,
                                                  E::MENU_VOLTAR, E::PAUSA_ABRIR, E::PAUSA_FECHAR}));
}

}  // namespace

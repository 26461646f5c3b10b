// The players' keys, polled by Allegro's real timer thread beside the frame
// loop, as in the game.
#include "AllegroSemTela.h"
#include "GravadorEfeitos.h"

#include "classesBasicas/Efeitos.h"
#include "classesBasicas/Mapa.h"
#include "classesDerivadas/Runner.h"
#include "classesControle/Comandos.h"
#include "classesControle/Teclado.h"
#include "main/main.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

void apertar(int tecla) { __atomic_store_n(&key[tecla], 1, __ATOMIC_RELEASE); }
bool apertada(int tecla) { return __atomic_load_n(&key[tecla], __ATOMIC_ACQUIRE) != 0; }

// Polls until `condicao` holds; a bound, not a measurement.
bool esperarAte(const std::function<bool()>& condicao) {
    auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condicao()) {
        if (std::chrono::steady_clock::now() > limite) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A callback on the same 1 ms timer as the players' ones, installed after
// them: when it has run n more times, theirs have run at least n - 1 more
// times, so "nothing happened" means they looked and did nothing.
std::atomic<int> voltasDoTimer{0};
void contarVolta(void*) { voltasDoTimer.fetch_add(1); }

::testing::AssertionResult timerRodou(int voltas) {
    const int alvo = voltasDoTimer.load() + voltas;
    if (esperarAte([alvo] { return voltasDoTimer.load() >= alvo; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the timer thread did not run " << voltas << " times";
}

class ControleTest : public ::testing::Test {
protected:
    void SetUp() override {
        semTela::iniciar(true);
        for (int i = 0; i < niveis::MAX_JOGADORES; ++i) {
            runners[i] = new Runner("", Ponto(100, 100), 42, 47, false, i + 1);
            pointPlayers[i] = runners[i];
            install_param_int(controle, runners[i], 1);
        }
        install_param_int(contarVolta, nullptr, 1);
    }
    void TearDown() override {
        remove_param_int(contarVolta, nullptr);
        descarregarControle(niveis::MAX_JOGADORES);
        for (Runner* r : runners) delete r;
        // The callbacks are gone: plain writes race with nothing now.
        for (int t : {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL, KEY_Q}) key[t] = 0;
    }

    Runner* runners[niveis::MAX_JOGADORES] = {};
};

TEST_F(ControleTest, EachPlayersKeyFlipsItsStandingRunnerOncePerPress) {
    const int teclas[] = {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL};
    for (int i = 0; i < 6; ++i) runners[i]->setNoChao(true);
    for (int i = 0; i < 4; ++i) {
        apertar(teclas[i]);
        ASSERT_TRUE(esperarAte([&] { return !apertada(teclas[i]); })) << "player " << i + 1;
        EXPECT_EQ(runners[i]->getSinalGravidade(), -1) << "player " << i + 1;
    }
    ASSERT_TRUE(timerRodou(10));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(runners[i]->getSinalGravidade(), -1) << "player " << i + 1;
    // Runners 5 and 6 have no key.
    for (int i = 4; i < 6; ++i) EXPECT_EQ(runners[i]->getSinalGravidade(), 1);
}

// Six runners flip at once on the timer thread, which must not call into
// Allegro: each flip is heard at the main thread's next frame, once, in
// its runner's pitch and direction.
TEST_F(ControleTest, SixFlipsAtOnceAreEachHeardAtTheNextFrame) {
    GravadorEfeitos gravador;
    configuracao::Controles controles = configuracao::padrao();
    controles[4].tecla = KEY_Q;
    controles[5].tecla = KEY_W;
    comandos::definir(controles);
    const int teclas[6] = {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL, KEY_Q, KEY_W};
    for (Runner* r : runners) r->setNoChao(true);
    // Runners 2 and 5 stand on the ceiling: theirs flip down.
    runners[1]->setSinalGravidade(-1);
    runners[4]->setSinalGravidade(-1);
    for (int t : teclas) apertar(t);
    ASSERT_TRUE(esperarAte([&] {
        for (int t : teclas)
            if (apertada(t)) return false;
        return true;
    }));
    ASSERT_TRUE(timerRodou(5));
    EXPECT_TRUE(gravador.ouvidos().empty()) << "a sound started on the timer thread";
    Efeitos::tocarPendentes();
    Efeitos::tocarPendentes();
    using E = sons::Efeito;
    const std::vector<GravadorEfeitos::Toque> esperados = {{E::VIRAR_TETO, 1}, {E::VIRAR_CHAO, 2}, {E::VIRAR_TETO, 3},
                                                           {E::VIRAR_TETO, 4}, {E::VIRAR_CHAO, 5}, {E::VIRAR_TETO, 6}};
    EXPECT_EQ(gravador.ouvidos(), esperados);
    comandos::definir(configuracao::padrao());
}

TEST_F(ControleTest, APressInTheAirWaitsForTheLanding) {
    Runner* r = runners[0];
    apertar(KEY_X);
    ASSERT_TRUE(timerRodou(10));
    EXPECT_TRUE(apertada(KEY_X));
    EXPECT_EQ(r->getSinalGravidade(), 1);
    r->setNoChao(true);
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == -1; }));
    EXPECT_FALSE(apertada(KEY_X));
}

TEST_F(ControleTest, RemovedCallbacksNoLongerPollAndOnlyTheirEntriesAreCleared) {
    descarregarControle(2);
    EXPECT_EQ(pointPlayers[0], nullptr);
    EXPECT_EQ(pointPlayers[1], nullptr);
    EXPECT_EQ(pointPlayers[2], runners[2]);
    runners[0]->setNoChao(true);
    runners[2]->setNoChao(true);
    apertar(KEY_X);
    apertar(KEY_RIGHT);
    // Player 3's callback is still polling and acts...
    ASSERT_TRUE(esperarAte([&] { return runners[2]->getSinalGravidade() == -1; }));
    ASSERT_TRUE(timerRodou(10));
    // ...while player 1's, removed, does not.
    EXPECT_EQ(runners[0]->getSinalGravidade(), 1);
    EXPECT_TRUE(apertada(KEY_X));
    descarregarControle(0);
    EXPECT_EQ(pointPlayers[2], runners[2]);
    // TearDown removes the rest; removing a callback twice is harmless.
}

// Six gamepads of one button each, as a joystick driver of the test's own
// that Allegro finds through the system driver: the test holds the buttons,
// Allegro's poll reads them.
std::atomic<bool> botaoFalso[6];
int iniciarPadsFalsos() {
    num_joysticks = 6;
    for (int k = 0; k < 6; ++k) joy[k].num_buttons = 1;
    return 0;
}
void sairPadsFalsos() {}
int lerPadsFalsos() {
    for (int k = 0; k < 6; ++k) joy[k].button[0].b = botaoFalso[k];
    return 0;
}
JOYSTICK_DRIVER padsFalsos = {AL_ID('T', 'E', 'S', 'T'), "test pads", "test pads", "test pads", iniciarPadsFalsos,
                              sairPadsFalsos, lerPadsFalsos, nullptr, nullptr, nullptr, nullptr};
_DRIVER_INFO* driversDePad() {
    static _DRIVER_INFO lista[] = {{AL_ID('T', 'E', 'S', 'T'), &padsFalsos, TRUE}, {0, nullptr, 0}};
    return lista;
}

class ControlePadTest : public ControleTest {
protected:
    void SetUp() override {
        ControleTest::SetUp();
        system_driver->joystick_drivers = driversDePad;
        comandos::instalarPads();
        ASSERT_EQ(comandos::numPads(), 6);
    }
    void TearDown() override {
        comandos::removerPads();
        for (auto& b : botaoFalso) b = false;
        comandos::definir(configuracao::padrao());
        ControleTest::TearDown();
    }
};

// Whether `r`'s sign stays `sinal`, looked at after each of `voltas` timer rounds.
::testing::AssertionResult ficaEm(const Runner* r, int sinal, int voltas) {
    for (int v = 0; v < voltas; ++v) {
        ::testing::AssertionResult rodou = timerRodou(1);
        if (!rodou) return rodou;
        if (r->getSinalGravidade() != sinal) return ::testing::AssertionFailure() << "flipped again after " << v;
    }
    return ::testing::AssertionSuccess();
}

// A tap as some keyboards and remote desktops send it: pressed and let go
// inside one tick of the input thread, so key[] never shows it and only
// the hook hears it. Standing, it flips once; in the air it is gone by the
// landing, as a key let go in the air.
void tocar(int tecla) {
    Teclado::registrarEvento(tecla);
    Teclado::registrarEvento(tecla | 0x80);
}

TEST_F(ControleTest, ATapFlipsAStandingRunnerOnceAndIsLostInTheAir) {
    Runner* r = runners[0];
    tocar(KEY_X);
    ASSERT_TRUE(timerRodou(10));
    r->setNoChao(true);
    EXPECT_TRUE(ficaEm(r, 1, 10)) << "tapped in the air";

    tocar(KEY_X);
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == -1; })) << "tapped standing";
    EXPECT_TRUE(ficaEm(r, -1, 10)) << "once";
}

// The button is polled apart from the callbacks that use its presses: held
// down, and without the flip using its press up, it would flip a standing
// runner every millisecond.
TEST_F(ControlePadTest, AHeldButtonFlipsOnceAndPadFiveServesPlayerFive) {
    for (Runner* r : runners) r->setNoChao(true);
    botaoFalso[4] = true;
    ASSERT_TRUE(esperarAte([&] { return runners[4]->getSinalGravidade() == -1; }));
    EXPECT_TRUE(ficaEm(runners[4], -1, 20));
    for (int i : {0, 1, 2, 3, 5}) EXPECT_EQ(runners[i]->getSinalGravidade(), 1) << "player " << i + 1;
    botaoFalso[4] = false;
    ASSERT_TRUE(timerRodou(5));
    botaoFalso[4] = true;
    ASSERT_TRUE(esperarAte([&] { return runners[4]->getSinalGravidade() == 1; })) << "a new press flips again";
}

// As a key: a press in the air waits for the landing while the button is
// held, and is gone once it is let go.
TEST_F(ControlePadTest, APressInTheAirFlipsOnLandingOnlyIfStillHeld) {
    Runner* r = runners[0];
    botaoFalso[0] = true;
    ASSERT_TRUE(timerRodou(10));
    botaoFalso[0] = false;
    ASSERT_TRUE(timerRodou(10));
    r->setNoChao(true);
    ASSERT_TRUE(timerRodou(10));
    EXPECT_EQ(r->getSinalGravidade(), 1) << "pressed and let go in the air";

    r->setNoChao(false);
    botaoFalso[0] = true;
    ASSERT_TRUE(timerRodou(10));
    EXPECT_EQ(r->getSinalGravidade(), 1);
    r->setNoChao(true);
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == -1; })) << "held until the landing";
}

// A key's press and a button's both waiting as the runner lands flip it
// once, not twice back to where it was: the other press waits, as one made
// in the air, and flips the runner back only after it has flown and landed,
// if still held.
TEST_F(ControlePadTest, AKeyAndAButtonWaitingTogetherFlipOnceAndTheOtherWaitsForTheNextLanding) {
    Runner* r = runners[0];
    apertar(KEY_X);
    botaoFalso[0] = true;
    ASSERT_TRUE(timerRodou(10));
    r->setNoChao(true);
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == -1; }));
    EXPECT_TRUE(ficaEm(r, -1, 20)) << "the second press flipped a runner that had not left the ground";
    EXPECT_NE(apertada(KEY_X), comandos::isBotaoApertado(1)) << "one press used up, one waiting";
    r->setNoChao(false);  // its frame lifts it off...
    EXPECT_TRUE(ficaEm(r, -1, 5));
    r->setNoChao(true);  // ...and it lands on the ceiling
    ASSERT_TRUE(esperarAte([&] { return r->getSinalGravidade() == 1; })) << "the press still held";
    EXPECT_FALSE(apertada(KEY_X));
    EXPECT_FALSE(comandos::isBotaoApertado(1));
}

TEST_F(ControlePadTest, TheConfigurationMovesKeysAndPads) {
    configuracao::Controles c = configuracao::padrao();
    c[0].pad = configuracao::NENHUM;
    c[5].pad = 0;
    c[4].tecla = KEY_Q;
    comandos::definir(c);
    for (Runner* r : runners) r->setNoChao(true);
    botaoFalso[0] = true;
    apertar(KEY_Q);
    ASSERT_TRUE(esperarAte([&] { return runners[5]->getSinalGravidade() == -1; }));
    ASSERT_TRUE(esperarAte([&] { return runners[4]->getSinalGravidade() == -1; }));
    ASSERT_TRUE(timerRodou(10));
    EXPECT_EQ(runners[0]->getSinalGravidade(), 1);
}

// The frame loop moves and draws a runner while the timer thread flips it:
// what a sanitizer for threads must find clean. Each press is made with the
// runner standing and the frames run until the callback has used it, so
// every press is exactly one flip.
TEST(ControleComQuadros, EveryPressMadeWhileFramesRunIsExactlyOneFlip) {
    semTela::iniciar(true);
    semTela::usarRelogioFalso();
    semTela::PastaDeTrabalho pasta;
    BITMAP* colisao = create_bitmap(2000, 480);
    clear_to_color(colisao, makecol(255, 255, 255));
    rectfill(colisao, 0, 0, 1999, 40, makecol(0, 0, 0));
    rectfill(colisao, 0, 400, 1999, 479, makecol(0, 0, 0));
    ASSERT_TRUE(semTela::salvar("c.bmp", colisao));
    destroy_bitmap(colisao);

    auto* mapa = new Mapa("c.bmp", "c.bmp", 2000, nullptr);
    auto* r = new Runner("src/Img/Jogo/player 1a.bmp", Ponto(320, 102), 42, 47, false, 1);
    pointPlayers[0] = r;
    install_param_int(controle, r, 1);
    mapa->inserirObjeto("player", r, true);
    int viradas = 0;
    int sinal = 1;
    int quadros = 0;
    auto quadro = [&] {
        semTela::avancar(34);
        mapa->atualizarMapa();
        ++quadros;
        if (r->getSinalGravidade() != sinal) {
            sinal = r->getSinalGravidade();
            ++viradas;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    // Standing on the floor (pulled down) or under the ceiling (pulled up).
    auto pousado = [&] { return r->isNoChao() && (r->getSinalGravidade() > 0) == (r->getPosicao().getY() > 240); };
    constexpr int APERTOS = 6;
    constexpr int MAX_QUADROS = 2000;
    for (int a = 0; a < APERTOS && quadros < MAX_QUADROS; ++a) {
        while (!pousado() && quadros < MAX_QUADROS) quadro();
        apertar(KEY_X);
        while (apertada(KEY_X) && quadros < MAX_QUADROS) quadro();
    }
    while (!pousado() && quadros < MAX_QUADROS) quadro();
    const bool naCorrida = r->isAtivo();
    descarregarControle(1);
    delete mapa;
    key[KEY_X] = 0;
    semTela::usarRelogioReal();
    ASSERT_LT(quadros, MAX_QUADROS) << "a press was never used, or the runner never landed";
    EXPECT_EQ(viradas, APERTOS);
    EXPECT_TRUE(naCorrida);
}

}  // namespace

// The window's size as the player asks for it, on the command line or in the
// configuration file, on desktops of today's sizes: read by the game's own
// readers, then chosen as the game chooses it.
#include "ArquivoConfiguracao.h"

#include "sistema/Escala.h"
#include "sistema/PastaDados.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Caso {
    std::vector<const char*> argumentos;  // after the program's name
    const char* arquivo;                  // the configuration file, or null for none
    int largura, altura;                  // the desktop; 0 x 0 unknown
    int fator;
    const char* aviso;  // what the one line says after "avesso: WHERE: "; "" for no line
};

const Caso CASOS[] = {
    {{}, nullptr, 1920, 1080, 1, ""},
    {{"--scale", "2"}, nullptr, 1920, 1080, 2, ""},
    {{"--scale=3"}, nullptr, 1920, 1440, 3, ""},  // an explicit one may fill the desktop
    // auto leaves room for the window's frame and the desktop's panels.
    {{"--scale", "auto"}, nullptr, 1920, 1080, 2, ""},
    {{"--scale", "AUTO"}, nullptr, 2560, 1440, 2, ""},
    {{"--scale", "auto"}, nullptr, 3840, 2160, 4, ""},
    {{"--scale", "auto"}, nullptr, 1366, 768, 1, ""},
    {{"--scale", "auto"}, nullptr, 0, 0, 1, "scale auto needs the desktop's size, which is unknown; using 1"},
    {{"--scale", "0"}, nullptr, 1920, 1080, 1, "scale 0 is below 1; using 1"},
    {{"--scale", "-2"}, nullptr, 1920, 1080, 1, "scale -2 is below 1; using 1"},
    {{"--scale", "3"}, nullptr, 1920, 1080, 2,
     "scale 3 makes a 1920 x 1440 window, larger than the 1920 x 1080 desktop; using 2, the largest that fits"},
    {{"--scale", "99"}, nullptr, 2560, 1440, 3,
     "scale 99 makes a window, larger than the 2560 x 1440 desktop; using 3, the largest that fits"},
    {{"--scale", "99999999999999999999"}, nullptr, 1920, 1080, 2,
     "scale 99999999999999999999 makes a window, larger than the 1920 x 1080 desktop; using 2, the largest that fits"},
    {{"--scale", "20"}, nullptr, 0, 0, escala::MAXIMA, "scale 20 is above 16; using 16"},
    {{"--scale", "2x"}, nullptr, 1920, 1080, 1, "scale '2x' is neither a whole number nor auto; using 1"},
    {{}, "[window]\nscale = auto   # fits\n", 3840, 2160, 4, ""},
    {{}, "[window]\nscale = big\n", 1920, 1080, 1, "scale 'big' is neither a whole number nor auto; using 1"},
    {{}, "[player1]\nkey = Z\n\n[WINDOW]\nscale = 5\n", 1920, 1080, 2,
     "scale 5 makes a 3200 x 2400 window, larger than the 1920 x 1080 desktop; using 2, the largest that fits"},
};

using EscalaTest = ArquivoConfiguracao;

TEST_F(EscalaTest, TheScaleAskedForOrTheNearestThatCanBeUsed) {
    for (const Caso& c : CASOS) {
        std::vector<const char*> argv{"avesso"};
        argv.insert(argv.end(), c.argumentos.begin(), c.argumentos.end());
        const pastaDados::Opcoes opcoes = pastaDados::lerOpcoes(static_cast<int>(argv.size()), argv.data());
        ASSERT_TRUE(opcoes.erro.empty()) << opcoes.erro;
        std::string pedido = opcoes.escala, onde = "--scale", quem = opcoes.escala;
        if (c.arquivo) {
            const configuracao::Leitura l = ler(c.arquivo);
            EXPECT_TRUE(l.avisos.empty()) << c.arquivo << ": " << l.avisos.front();
            pedido = l.janela.escala;
            onde = caminho + ":" + std::to_string(l.janela.linhaEscala);
            quem = c.arquivo;
        }
        const escala::Escolha e = escala::escolher(pedido, onde, c.largura, c.altura);
        const std::string caso = quem + " on " + std::to_string(c.largura) + " x " + std::to_string(c.altura);
        EXPECT_EQ(e.fator, c.fator) << caso;
        EXPECT_EQ(e.aviso, *c.aviso ? "avesso: " + onde + ": " + c.aviso : "") << caso;
    }
}

TEST_F(EscalaTest, FullscreenFromTheCommandLineOrTheFile) {
    const char* argv[] = {"avesso", "--fullscreen", "--scale"};
    EXPECT_TRUE(pastaDados::lerOpcoes(2, argv).telaCheia);
    EXPECT_FALSE(pastaDados::lerOpcoes(3, argv).erro.empty()) << "--scale without a value";
    EXPECT_TRUE(ler("[window]\nfullscreen = YES\n").janela.telaCheia);
    const configuracao::Leitura l = ler("[window]\nfullscreen = maybe\nsize = 2\n[player1]\nkey = F11\n");
    EXPECT_FALSE(l.janela.telaCheia);
    EXPECT_EQ(l.controles[0].tecla, KEY_X) << "F11 belongs to the window";
    ASSERT_EQ(l.avisos.size(), 3u);
    EXPECT_EQ(l.avisos[0], "avesso: " + caminho + ":2: fullscreen 'maybe' is neither yes nor no; the game starts in a window");
    EXPECT_EQ(l.avisos[1], "avesso: " + caminho + ":3: unknown setting 'size' in [window], expected scale or fullscreen; ignored");
    EXPECT_EQ(l.avisos[2], "avesso: " + caminho + ":5: F11 turns fullscreen on and off and cannot be player 1's key; "
                           "player 1 keeps X");
}

}  // namespace

// The players' controls from the user's configuration file: written to a
// temporary folder and read through Allegro, as the game reads it.
#include "ArquivoConfiguracao.h"


#include <allegro.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using configuracao::NENHUM;

namespace {

class ConfiguracaoTest : public ArquivoConfiguracao {
protected:
    // Whether a warning begins with the file's path followed by `resto`.
    bool avisado(const configuracao::Leitura& l, const std::string& resto) const {
        for (const std::string& a : l.avisos)
            if (a.rfind("avesso: " + caminho + resto, 0) == 0) return true;
        return false;
    }
};

TEST_F(ConfiguracaoTest, WithoutAFileEveryPlayerHasTheUsualControls) {
    const configuracao::Leitura l = configuracao::ler((pasta / "none.cfg").string());
    EXPECT_TRUE(l.avisos.empty());
    const int teclas[6] = {KEY_X, KEY_M, KEY_RIGHT, KEY_LCONTROL, NENHUM, NENHUM};
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(l.controles[j].tecla, teclas[j]) << "player " << j + 1;
        EXPECT_EQ(l.controles[j].pad, j) << "player " << j + 1;  // pad k's first button for player k
        EXPECT_EQ(l.controles[j].botao, 0) << "player " << j + 1;
    }
    EXPECT_TRUE(configuracao::ler("").avisos.empty()) << "no config folder known";
}

TEST_F(ConfiguracaoTest, KeysMoveAndSwapAndPlayerFiveGetsOne) {
    const configuracao::Leitura l = ler(
        "# a comment\n"
        "[player5]\n"
        "key = q\n"
        "[Player1]\n"
        "  key=LCONTROL   # trailing comment\n"
        "[player4]\n"
        "key = X\n"
        "[player2]\n"
        "key = none\n"
        "pad = none\n"
        "[player6]\n"
        "pad = 1\n"
        "button = 3\n");
    EXPECT_TRUE(l.avisos.empty()) << l.avisos.front();
    EXPECT_EQ(l.controles[0].tecla, KEY_LCONTROL);
    EXPECT_EQ(l.controles[1].tecla, NENHUM);
    EXPECT_EQ(l.controles[1].pad, NENHUM);
    EXPECT_EQ(l.controles[2].tecla, KEY_RIGHT) << "an entry missing keeps the usual one";
    EXPECT_EQ(l.controles[3].tecla, KEY_X);
    EXPECT_EQ(l.controles[4].tecla, KEY_Q);
    EXPECT_EQ(l.controles[5].tecla, NENHUM);
    EXPECT_EQ(l.controles[5].pad, 0);
    EXPECT_EQ(l.controles[5].botao, 2);
}

// Each bad entry is said once, with the file and its line, and only that
// entry goes back to the usual control.
TEST_F(ConfiguracaoTest, EachBadEntryIsNamedByLineAndFallsBackAlone) {
    const configuracao::Leitura l = ler(
        "[player1]\n"         // 1
        "key = Q!\n"          // 2 unknown key name
        "[player2]\n"         // 3
        "button = 33\n"       // 4 out of range
        "pad = two\n"         // 5 not a number
        "[player3]\n"         // 6
        "key = P\n"           // 7 the level's pause
        "[player5]\n"         // 8
        "key = M\n"           // 9 player 2 keeps M
        "[player7]\n"         // 10 no such player
        "key = A\n"           // 11
        "[player6]\n"         // 12
        "key = Z\n"           // 13 wanted by player 4 too: the later player gives way
        "jump = 1\n"          // 14 unknown setting
        "[player4]\n"         // 15
        "key = z\n"           // 16
        "[player3]\n"         // 17
        "pad = 2\n"          // 18 player 2's pad and button
        "button =\n");       // 19 no value
    for (const char* esperado : {":2: unknown key name 'Q!' for player 1; player 1 keeps X",
                                 ":4: button 33 for player 2 is out of range 1 to 32; player 2 keeps button 1",
                                 ":5: pad 'two' for player 2 is not a number; player 2 keeps pad 2",
                                 ":7: P pauses and cannot be player 3's key; player 3 keeps RIGHT",
                                 ":9: key M for player 5 is player 2's too; player 5 keeps none",
                                 ":10: unknown section [player7], expected [player1] to [player6], [window] or [sound]; ignored",
                                 ":13: key Z for player 6 is player 4's too; player 6 keeps none",
                                 ":14: unknown setting 'jump' for player 6, expected key, pad or button; ignored",
                                 ":17: [player3] again, first at line 6; its settings join the first one's",
                                 ":18: gamepad button pad 2 button 1 for player 3 is player 2's too; "
                                 "player 3 keeps pad 3 button 1",
                                 ":19: button for player 3 has no value; player 3 keeps its button"})
        EXPECT_TRUE(avisado(l, esperado)) << esperado;
    EXPECT_EQ(l.avisos.size(), 11u);

    const int teclas[6] = {KEY_X, KEY_M, KEY_RIGHT, KEY_Z, NENHUM, NENHUM};
    for (int j = 0; j < 6; ++j) {
        EXPECT_EQ(l.controles[j].tecla, teclas[j]) << "player " << j + 1;
        EXPECT_EQ(l.controles[j].pad, j) << "player " << j + 1;
        EXPECT_EQ(l.controles[j].botao, 0) << "player " << j + 1;
    }
}

// The volumes: whole numbers 0 to 100, each wrong one said and left as
// usual alone; the mute key belongs to the game.
TEST_F(ConfiguracaoTest, VolumesAreReadAndABadOneKeepsItsDefault) {
    configuracao::Leitura l = ler("[Sound]\nMusic = 0\neffects = 100  # loud\n");
    EXPECT_TRUE(l.avisos.empty()) << l.avisos.front();
    EXPECT_EQ(l.volumes.musica, 0);
    EXPECT_EQ(l.volumes.efeitos, 100);

    l = ler("[sound]\n"      // 1
            "music = 101\n"  // 2
            "effects = x\n"  // 3
            "volume = 5\n"   // 4
            "[player1]\n"    // 5
            "key = F12\n");  // 6
    for (const char* esperado : {":2: music 101 is out of range 0 to 100; the volume stays at 100",
                                 ":3: effects 'x' is not a whole number; the volume stays at 70",
                                 ":4: unknown setting 'volume' in [sound], expected music or effects; ignored",
                                 ":6: F12 mutes and unmutes the sound and cannot be player 1's key; player 1 keeps X"})
        EXPECT_TRUE(avisado(l, esperado)) << esperado;
    EXPECT_EQ(l.avisos.size(), 4u);
    EXPECT_EQ(l.volumes.musica, sons::MUSICA_PADRAO);
    EXPECT_EQ(l.volumes.efeitos, sons::EFEITOS_PADRAO);
    EXPECT_EQ(l.controles[0].tecla, KEY_X);

    for (const char* valor : {"-1", "50.5", "", "99999999999999999999"})
        EXPECT_EQ(ler(std::string("[sound]\neffects = ") + valor + "\n").volumes.efeitos, sons::EFEITOS_PADRAO)
            << valor;
}

TEST_F(ConfiguracaoTest, AFileThatIsNotTextIsRefusedWhole) {
    const char binario[] = "[player1]\nkey = Q\nPNG\0\x1a\x89";
    const configuracao::Leitura l = ler(std::string(binario, sizeof binario - 1));
    ASSERT_EQ(l.avisos.size(), 1u);
    EXPECT_EQ(l.avisos[0],
              "avesso: " + caminho + ":3: not a text file (byte 0x00); every player keeps the usual controls");
    EXPECT_EQ(l.controles, configuracao::padrao());
}

// What a user's files can hold besides a plain configuration: each is read
// without waiting, and whatever is dropped is said in one line, naming the
// file and the line.
struct CasoArquivo {
    const char* caso;
    std::function<void(const fs::path&)> fazer;  // makes the thing at the path
    std::vector<std::string> avisos;              // each after "avesso: PATH"
    int teclaJogador1;
    int padJogador1 = 0;
};

void escrever(const fs::path& p, const std::string& texto) { std::ofstream(p, std::ios::binary) << texto; }

TEST_F(ConfiguracaoTest, FilesThatAreNotPlainConfigurationsAreOneLineEachAndNeverWaitedOn) {
    const std::string usuais = "; every player keeps the usual controls";
    const std::string longo(60000, 'Q');
    const std::vector<CasoArquivo> casos = {
        {"a named pipe", [](const fs::path& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); },
         {": is not a regular file" + usuais}, KEY_X},
        {"a folder", [](const fs::path& p) { fs::create_directory(p); }, {": is a folder, not a file" + usuais}, KEY_X},
        {"a symlink loop",
         [](const fs::path& p) {
             fs::create_symlink(p.string() + ".b", p);
             fs::create_symlink(p, p.string() + ".b");
         },
         {": cannot be read (Too many levels of symbolic links)" + usuais}, KEY_X},
        {"key written twice in a section", [](const fs::path& p) { escrever(p, "[player1]\nkey = Q\nkey = W\n"); },
         {":3: key for player 1 again, first at line 2; the first is kept"}, KEY_Q},
        {"a section written twice",
         [](const fs::path& p) {
             escrever(p, "[player1]\nkey = Q\n[player2]\nkey = W\n[player1]\nkey = E\npad = 7\n");
         },
         {":5: [player1] again, first at line 1; its settings join the first one's",
          ":6: key for player 1 again, first at line 2; the first is kept"},
         KEY_Q, 6},
        {"a byte order mark", [](const fs::path& p) { escrever(p, "\xEF\xBB\xBF[player1]\nkey = Q\n"); }, {}, KEY_Q},
        {"printable bytes that are not UTF-8",
         [](const fs::path& p) { escrever(p, "[player1]\n# caf\xE9 com leite\nkey = Q\n\xE9\xE9\n"); },
         {":2: not a text file (byte 0xE9 is not UTF-8)" + usuais}, KEY_X},
        {"a 60 KB value", [&](const fs::path& p) { escrever(p, "[player1]\nkey = " + longo + "\n"); },
         {":2: unknown key name '" + longo.substr(0, 32) + "... (60000 bytes)' for player 1; player 1 keeps X"},
         KEY_X},
    };
    for (const CasoArquivo& c : casos) {
        SCOPED_TRACE(c.caso);
        fs::remove_all(pasta);
        fs::create_directory(pasta);
        c.fazer(caminho);
        auto leitura = std::async(std::launch::async, [this] { return configuracao::ler(caminho); });
        if (leitura.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            // A writer lets the blocked reader go, so the test can end.
            close(open(caminho.c_str(), O_WRONLY | O_NONBLOCK));
            ADD_FAILURE() << "still reading after 5 s";
            continue;
        }
        const configuracao::Leitura l = leitura.get();
        ASSERT_EQ(l.avisos.size(), c.avisos.size()) << ::testing::PrintToString(l.avisos);
        for (std::size_t i = 0; i < c.avisos.size(); ++i) EXPECT_EQ(l.avisos[i], "avesso: " + caminho + c.avisos[i]);
        EXPECT_EQ(l.controles[0].tecla, c.teclaJogador1);
        EXPECT_EQ(l.controles[0].pad, c.padJogador1);
    }

    // Root reads every folder.
    if (geteuid() != 0) {
        const fs::path fechada = pasta / "fechada";
        fs::create_directory(fechada);
        escrever(fechada / "avesso.cfg", "[player1]\nkey = Q\n");
        chmod(fechada.c_str(), 0);
        const std::string dentro = (fechada / "avesso.cfg").string();
        const configuracao::Leitura l = configuracao::ler(dentro);
        chmod(fechada.c_str(), 0700);
        EXPECT_EQ(l.avisos, std::vector<std::string>{"avesso: " + dentro + ": cannot be read (Permission denied)" +
                                                     usuais});
    }
}

// The sound's patches live in Allegro's configuration, held in memory so
// that Allegro writes no file: reading ours must leave it as it was.
TEST_F(ConfiguracaoTest, AllegrosOwnConfigurationIsLeftAsItWas) {
    set_config_data("", 0);
    set_config_string("sound", "patches", "freepats/default.cfg");
    EXPECT_EQ(ler("[player1]\nkey = Q\n[sound]\npatches = elsewhere.cfg\n").controles[0].tecla, KEY_Q);
    EXPECT_STREQ(get_config_string("sound", "patches", ""), "freepats/default.cfg");
    EXPECT_STREQ(get_config_string("player1", "key", "unset"), "unset");
}

TEST(ConfiguracaoCaminho, XdgConfigHomeWhenAbsoluteElseHome) {
    const char* antes = std::getenv("XDG_CONFIG_HOME");
    const std::string xdg = antes ? antes : "";
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(configuracao::caminhoPadrao(), "/cfg/avesso/avesso.cfg");
    setenv("XDG_CONFIG_HOME", "relative", 1);
    if (const char* casa = std::getenv("HOME")) {
        EXPECT_EQ(configuracao::caminhoPadrao(), std::string(casa) + "/.config/avesso/avesso.cfg");
    }
    if (antes)
        setenv("XDG_CONFIG_HOME", xdg.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

// Damaged music files: Allegro's MIDI player trusts every byte (one data
// byte above 127 in a drum note smashed its stack), so each file is checked
// before Allegro sees it and a damaged one is played as no music at all.
#include "AllegroSemTela.h"

#include "classesBasicas/Recursos.h"
#include "classesBasicas/Som.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void juntarU32(Bytes& d, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) d.push_back(static_cast<unsigned char>(v >> s));
}

Bytes trilha(std::initializer_list<int> eventos) {
    Bytes t = {'M', 'T', 'r', 'k'};
    juntarU32(t, static_cast<uint32_t>(eventos.size()));
    for (int b : eventos) t.push_back(static_cast<unsigned char>(b));
    return t;
}

Bytes arquivo(int formato, int divisao, const std::vector<Bytes>& trilhas) {
    Bytes d = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, static_cast<unsigned char>(formato), 0,
               static_cast<unsigned char>(trilhas.size()), static_cast<unsigned char>(divisao >> 8),
               static_cast<unsigned char>(divisao)};
    for (const Bytes& t : trilhas) d.insert(d.end(), t.begin(), t.end());
    return d;
}

const Bytes TEMPO = trilha({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
                            0x00, 0xFF, 0x03, 0x02, 'l', 'a',          // track name
                            0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,        // system exclusive
                            0x00, 0xFF, 0x2F, 0x00});
// Channel messages of every length, running status and a drum note.
const Bytes NOTAS = trilha({0x00, 0xC0, 0x05,                          // program
                            0x00, 0xB0, 0x07, 0x64,                    // volume
                            0x00, 0x90, 0x3C, 0x64, 0x60, 0x3E, 0x64,  // two notes, running status
                            0x60, 0x80, 0x3C, 0x00, 0x00, 0x3E, 0x00,
                            0x00, 0xE0, 0x00, 0x40,                    // pitch bend
                            0x00, 0xD0, 0x10,                          // channel pressure
                            0x00, 0x99, 0x24, 0x64, 0x81, 0x40, 0x99, 0x24, 0x00,
                            0x00, 0xFF, 0x2F, 0x00});

const Bytes BOM = arquivo(1, 96, {TEMPO, NOTAS});

// A damaged file, and what the one line must give as the reason.
struct Dano {
    const char* oQue;
    const char* motivo;
    Bytes dados;
};

Bytes com(const std::function<void(Bytes&)>& mudar) {
    Bytes d = BOM;
    mudar(d);
    return d;
}

Bytes comNotas(std::initializer_list<int> eventos) { return arquivo(1, 96, {TEMPO, trilha(eventos)}); }

const size_t NOTAS_INICIO = BOM.size() - NOTAS.size() + 8;
const size_t TAMBOR = BOM.size() - 11;  // the drum note's key

std::vector<Dano> danos() {
    const char* const FORA = "past the end of the track";
    return {
        {"the drum note's key", "a data byte above 127", com([](Bytes& d) { d[TAMBOR] = 0x8B; })},
        {"a velocity", "a data byte above 127", comNotas({0x00, 0x90, 0x3C, 0xE4, 0x00, 0xFF, 0x2F, 0x00})},
        {"a program", "a data byte above 127", comNotas({0x00, 0xC0, 0x85, 0x00, 0xFF, 0x2F, 0x00})},
        {"running status first", "no status before it", comNotas({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00})},
        {"a message cut short", FORA, comNotas({0x00, 0x90, 0x3C})},
        {"system common", "0xF2", comNotas({0x00, 0xF2, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00})},
        {"system exclusive too long", FORA, comNotas({0x00, 0xF0, 0x7F, 0x01, 0x00, 0xFF, 0x2F, 0x00})},
        {"a meta event too long", FORA, comNotas({0x00, 0xFF, 0x01, 0x7F, 'a', 0x00, 0xFF, 0x2F, 0x00})},
        {"a meta type", "type is above 127", comNotas({0x00, 0xFF, 0x81, 0x00, 0x00, 0xFF, 0x2F, 0x00})},
        {"a short tempo", "not 3 bytes", comNotas({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x00, 0xFF, 0x2F, 0x00})},
        {"a zero tempo", "tempo of zero", comNotas({0x00, 0xFF, 0x51, 0x03, 0, 0, 0, 0x00, 0xFF, 0x2F, 0x00})},
        {"a long delta time", "delta time", comNotas({0x81, 0x81, 0x81, 0x81, 0x01, 0xFF, 0x2F, 0x00})},
        {"no end of track", "no end-of-track", comNotas({0x00, 0x90, 0x3C, 0x64})},
        {"after the end", "after the end-of-track", comNotas({0x00, 0xFF, 0x2F, 0x00, 0x00, 0xC0, 0x85})},
        {"a longer header", "not 6 bytes", com([](Bytes& d) { d[7] = 7; d.insert(d.begin() + 14, 0); })},
        {"format 2", "format", arquivo(2, 96, {TEMPO, NOTAS})},
        {"no tracks", "number of tracks", arquivo(1, 96, {})},
        {"33 tracks", "number of tracks", arquivo(1, 96, std::vector<Bytes>(33, TEMPO))},
        {"a track fewer", "track 3: missing", com([](Bytes& d) { d[11] = 3; })},
        {"0 ticks", "time base", arquivo(1, 0, {TEMPO, NOTAS})},
        {"frames", "time base", arquivo(1, 0xE728, {TEMPO, NOTAS})},
        {"a track too long", "past the end of the file", com([](Bytes& d) { d[NOTAS_INICIO - 1] += 1; })},
        {"a track's tag", "track 2: missing", com([](Bytes& d) { d[NOTAS_INICIO - 8] = 'm'; })},
        {"RIFF", "not a MIDI file", com([](Bytes& d) { d.insert(d.begin(), {'R', 'I', 'F', 'F', 0, 0, 0, 0}); })},
        {"empty", "not a MIDI file", {}},
    };
}

class SomTest : public ::testing::Test {
protected:
    void gravar(const Bytes& dados, const char* nome = "musica.mid") {
        std::ofstream(nome, std::ios::binary)
            .write(reinterpret_cast<const char*>(dados.data()), static_cast<std::streamsize>(dados.size()));
    }

    semTela::PastaDeTrabalho pasta;
};

TEST_F(SomTest, LoadsAWholeFileWithEveryKindOfEvent) {
    gravar(BOM);
    EXPECT_EQ(Som::defeitoMidi("musica.mid"), "");
    MIDI* musica = Som::carregarMusica("musica.mid");
    ASSERT_NE(musica, nullptr);
    EXPECT_EQ(musica->divisions, 96);
    EXPECT_EQ(musica->track[1].len, static_cast<int>(NOTAS.size() - 8));
    destroy_midi(musica);
}

TEST_F(SomTest, RefusesEachDamage) {
    for (const Dano& dano : danos()) {
        gravar(dano.dados);
        EXPECT_FALSE(Som::isMidiIntegro("musica.mid")) << dano.oQue;
        const std::string defeito = Som::defeitoMidi("musica.mid");
        EXPECT_NE(defeito.find(dano.motivo), std::string::npos) << dano.oQue << ": " << defeito;
    }
    // Cut anywhere.
    for (size_t tamanho = 0; tamanho < BOM.size(); ++tamanho) {
        gravar(Bytes(BOM.begin(), BOM.begin() + static_cast<long>(tamanho)));
        EXPECT_FALSE(Som::isMidiIntegro("musica.mid")) << "cut to " << tamanho << " bytes";
    }
}

// The game plays on without music: one line says which file and why.
TEST_F(SomTest, ADamagedFileIsNoMusicAndOneLine) {
    gravar(danos()[0].dados);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Som::carregarMusica("musica.mid"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "avesso: the music musica.mid is damaged (track 2: a data byte above 127 at byte " +
                  std::to_string(TAMBOR) + "); playing without it\n");

    // A missing file is silent: a game without music says nothing.
    testing::internal::CaptureStderr();
    EXPECT_EQ(Som::carregarMusica("nao-existe.mid"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// Sound effects are read by the game, never by Allegro's load_sample: a
// whole file becomes the sample it says; each damage, and a cut anywhere,
// is refused with one line naming the file, missing or not.
Bytes wav(uint16_t codigo, uint16_t canais, uint32_t taxa, uint16_t bits, const Bytes& amostras) {
    const uint32_t quadro = canais * bits / 8u, dados = static_cast<uint32_t>(amostras.size());
    Bytes d;
    auto le = [&d](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) d.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto marca = [&d](const char* nome) { d.insert(d.end(), nome, nome + 4); };
    marca("RIFF"), le(0, 4), marca("WAVE"), marca("fmt "), le(16, 4), le(codigo, 2), le(canais, 2), le(taxa, 4);
    le(taxa * quadro, 4), le(quadro, 2), le(bits, 2);
    marca("LIST"), le(3, 4), d.insert(d.end(), {'a', 'b', 'c', 0});  // a chunk to skip, padded
    marca("data"), le(dados, 4), d.insert(d.end(), amostras.begin(), amostras.end());
    return d;
}

const Bytes EFEITO = wav(1, 1, 22050, 16, {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00});  // -32768, 32767, 0
const size_t DADOS = EFEITO.size() - 10;                                        // the data chunk's length

Bytes efeitoCom(const std::function<void(Bytes&)>& mudar) {
    Bytes d = EFEITO;
    mudar(d);
    return d;
}

TEST_F(SomTest, ASoundEffectIsReadWholeOrNotAtAll) {
    gravar(EFEITO, "efeito.wav");
    recursos::Amostra amostra(Som::carregarEfeito("efeito.wav"));
    ASSERT_NE(amostra, nullptr);
    EXPECT_EQ(std::vector<int>({amostra->bits, amostra->stereo, amostra->freq, int(amostra->len)}),
              std::vector<int>({16, 0, 22050, 3}));
    const auto* valores = static_cast<const uint16_t*>(amostra->data);
    EXPECT_EQ(std::vector<int>(valores, valores + 3), std::vector<int>({0x0000, 0xFFFF, 0x8000}));  // unsigned

    const std::pair<const char*, Bytes> danos[] = {
        {"not a WAV file", efeitoCom([](Bytes& d) { d[3] = 'X'; })},
        {"not plain PCM", wav(3, 1, 22050, 32, Bytes(8))},
        {"channels", wav(1, 3, 22050, 16, Bytes(6))},
        {"8 or 16 bits", wav(1, 1, 22050, 24, Bytes(6))},
        {"sample rate", wav(1, 1, 1000, 16, Bytes(6))},
        {"past the end of the file", efeitoCom([](Bytes& d) { d[DADOS + 1] = 1; })},
        {"whole number of frames", wav(1, 1, 22050, 16, Bytes(3))},
        {"longer than any sound effect", wav(1, 1, 4000, 8, Bytes(4000 * 10 + 2, 0x80))},
    };
    for (const auto& [motivo, bytes] : danos) {
        gravar(bytes, "efeito.wav");
        EXPECT_NE(Som::defeitoWav("efeito.wav").find(motivo), std::string::npos) << motivo;
    }
    for (size_t tamanho = 0; tamanho < EFEITO.size(); ++tamanho) {
        gravar(Bytes(EFEITO.begin(), EFEITO.begin() + static_cast<long>(tamanho)), "efeito.wav");
        EXPECT_NE(Som::defeitoWav("efeito.wav"), "") << "cut to " << tamanho << " bytes";
    }

    gravar(wav(1, 1, 22050, 16, {}), "efeito.wav");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Som::carregarEfeito("efeito.wav"), nullptr);
    EXPECT_EQ(Som::carregarEfeito("nao-existe.wav"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "avesso: cannot load the sound efeito.wav (damaged: sound data that is not a whole number of frames); "
              "playing without it\navesso: cannot load the sound nao-existe.wav (missing); playing without it\n");
}

}  // namespace

// Damaged music files: Allegro's MIDI player trusts every byte (one data
// byte above 127 in a drum note smashed its stack), so each file is checked
// before Allegro sees it and a damaged one is played as no music at all.
#include "AllegroSemTela.h"

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
Bytes le(uint32_t v, int bytes) {
    Bytes b;
    for (int i = 0; i < bytes; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    return b;
}

Bytes pedacoWav(const char* nome, const Bytes& corpo, uint32_t tamanho) {
    Bytes d(nome, nome + 4);
    const Bytes t = le(tamanho, 4);
    d.insert(d.end(), t.begin(), t.end());
    d.insert(d.end(), corpo.begin(), corpo.end());
    return d;
}

struct FormatoWav {
    uint32_t codigo = 1, canais = 1, frequencia = 22050, bits = 16;
};

Bytes wav(const std::vector<Bytes>& pedacos) {
    Bytes corpo = {'W', 'A', 'V', 'E'};
    for (const Bytes& p : pedacos) corpo.insert(corpo.end(), p.begin(), p.end());
    return pedacoWav("RIFF", corpo, static_cast<uint32_t>(corpo.size()));
}

Bytes fmt(FormatoWav f) {
    Bytes corpo;
    for (const Bytes& campo : {le(f.codigo, 2), le(f.canais, 2), le(f.frequencia, 4),
                               le(f.frequencia * f.canais * f.bits / 8, 4), le(f.canais * f.bits / 8, 2),
                               le(f.bits, 2)})
        corpo.insert(corpo.end(), campo.begin(), campo.end());
    return pedacoWav("fmt ", corpo, 16);
}

const Bytes AMOSTRAS = {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00};  // -32768, 32767, 0
Bytes dados(const Bytes& d = AMOSTRAS) { return pedacoWav("data", d, static_cast<uint32_t>(d.size())); }
const Bytes EFEITO = wav({fmt({}), pedacoWav("LIST", {'a', 'b', 'c'}, 3), {0}, dados()});

TEST_F(SomTest, ASoundEffectIsReadWholeOrNotAtAll) {
    gravar(EFEITO, "efeito.wav");
    EXPECT_EQ(Som::defeitoWav("efeito.wav"), "");
    SAMPLE* amostra = Som::carregarEfeito("efeito.wav");
    ASSERT_NE(amostra, nullptr);
    EXPECT_EQ(amostra->bits, 16);
    EXPECT_EQ(amostra->stereo, 0);
    EXPECT_EQ(amostra->freq, 22050);
    ASSERT_EQ(amostra->len, 3UL);
    const auto* valores = static_cast<const uint16_t*>(amostra->data);
    EXPECT_EQ(valores[0], 0x0000);  // Allegro's samples are unsigned
    EXPECT_EQ(valores[1], 0xFFFF);
    EXPECT_EQ(valores[2], 0x8000);
    destroy_sample(amostra);

    const struct {
        const char* motivo;
        Bytes dados;
    } danos[] = {
        {"not a WAV file", pedacoWav("RIFX", {'W', 'A', 'V', 'E'}, 4)},
        {"not plain PCM", wav({fmt({3, 1, 22050, 32}), dados()})},
        {"channels", wav({fmt({1, 3, 22050, 16}), dados()})},
        {"8 or 16 bits", wav({fmt({1, 1, 22050, 24}), dados()})},
        {"sample rate", wav({fmt({1, 1, 1000, 16}), dados()})},
        {"before its format", wav({dados(), fmt({})})},
        {"past the end of the file", wav({fmt({}), pedacoWav("data", AMOSTRAS, 600)})},
        {"whole number of frames", wav({fmt({}), dados({0, 0, 0})})},
        {"whole number of frames", wav({fmt({}), dados({})})},
        {"no sound data", wav({fmt({})})},
        {"longer than any sound effect", wav({fmt({1, 1, 4000, 8}), dados(Bytes(4000 * 10 + 1, 0x80))})},
    };
    for (const auto& dano : danos) {
        gravar(dano.dados, "efeito.wav");
        const std::string defeito = Som::defeitoWav("efeito.wav");
        EXPECT_NE(defeito.find(dano.motivo), std::string::npos) << dano.motivo << ": " << defeito;
    }
    for (size_t tamanho = 0; tamanho < EFEITO.size(); ++tamanho) {
        gravar(Bytes(EFEITO.begin(), EFEITO.begin() + static_cast<long>(tamanho)), "efeito.wav");
        EXPECT_NE(Som::defeitoWav("efeito.wav"), "") << "cut to " << tamanho << " bytes";
    }

    gravar(wav({fmt({})}), "efeito.wav");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Som::carregarEfeito("efeito.wav"), nullptr);
    EXPECT_EQ(Som::carregarEfeito("nao-existe.wav"), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "avesso: cannot load the sound efeito.wav (damaged: no sound data); playing without it\n"
              "avesso: cannot load the sound nao-existe.wav (missing); playing without it\n");
}

}  // namespace

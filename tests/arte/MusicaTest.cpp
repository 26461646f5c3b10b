// The music as the game plays it and a player hears it: a MIDI file read
// back here event by event, and its rendering with timidity and the same
// freepats patches the game's synthesizer uses.
#include "PastaTemporaria.h"
#include "classesBasicas/Som.h"
#include "dados/Sons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string MUSICA = "principal1.mid";
const std::string FREEPATS = "/etc/timidity/freepats.cfg";

struct Nota {
    int canal, altura;
    long inicio, fim;  // ticks
};

// What a MIDI file says, read independently of the code that wrote it.
struct Midi {
    int formato = -1;
    int divisao = 0;
    std::map<long, uint32_t> tempos;         // tick -> microseconds per quarter note
    std::map<int, std::set<int>> programas;  // channel -> programs
    std::vector<Nota> notas;
    int notasSemFim = 0;
    long fim = 0;                            // last end-of-track

    double segundos(long tick) const {
        double s = 0;
        long t = 0;
        uint32_t us = 500000;  // the standard's default, 120 BPM
        for (const auto& [quando, valor] : tempos) {
            if (quando >= tick) break;
            s += double(quando - t) * us / divisao / 1e6;
            t = quando;
            us = valor;
        }
        return s + double(tick - t) * us / divisao / 1e6;
    }
    double duracao() const { return segundos(fim); }
};

Midi lerMidi(const std::string& caminho) {
    std::ifstream in(caminho, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + caminho);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t p = 0;
    auto u8 = [&]() -> uint32_t {
        if (p >= d.size()) throw std::runtime_error("file ends early");
        return d[p++];
    };
    auto u16 = [&] { uint32_t a = u8(); return a << 8 | u8(); };
    auto u32 = [&] { uint32_t a = u16(); return a << 16 | u16(); };
    auto variavel = [&] {
        uint32_t v = 0, b;
        do v = v << 7 | ((b = u8()) & 0x7F); while (b & 0x80);
        return v;
    };
    auto marca = [&](const char* esperada) {
        if (p + 4 > d.size() || std::string(d.begin() + long(p), d.begin() + long(p) + 4) != esperada)
            throw std::runtime_error(std::string("expected ") + esperada);
        p += 4;
    };

    Midi m;
    marca("MThd");
    if (u32() != 6) throw std::runtime_error("bad header");
    m.formato = int(u16());
    uint32_t trilhas = u16();
    m.divisao = int(u16());
    for (uint32_t t = 0; t < trilhas; ++t) {
        marca("MTrk");
        size_t fimTrilha = u32() + p;
        long tick = 0;
        uint8_t status = 0;
        std::map<std::pair<int, int>, std::vector<long>> soando;
        while (p < fimTrilha) {
            tick += variavel();
            uint32_t b = u8();
            if (b & 0x80) status = uint8_t(b); else --p;  // running status
            if (status == 0xFF) {
                uint32_t tipo = u8(), n = variavel();
                if (tipo == 0x51) m.tempos[tick] = d.at(p) << 16 | d.at(p + 1) << 8 | d.at(p + 2);
                if (tipo == 0x2F) m.fim = std::max(m.fim, tick);
                p += n;
                continue;
            }
            if (status == 0xF0 || status == 0xF7) { p += variavel(); continue; }
            int canal = status & 0x0F, tipo = status & 0xF0;
            uint32_t a = u8();
            uint32_t v = (tipo == 0xC0 || tipo == 0xD0) ? 0 : u8();
            if (tipo == 0xC0) m.programas[canal].insert(int(a));
            if (tipo == 0x90 && v > 0) soando[{canal, int(a)}].push_back(tick);
            if (tipo == 0x80 || (tipo == 0x90 && v == 0)) {
                auto& pilha = soando[{canal, int(a)}];
                if (pilha.empty()) continue;
                m.notas.push_back({canal, int(a), pilha.front(), tick});
                pilha.erase(pilha.begin());
            }
        }
        for (const auto& [chave, inicios] : soando) m.notasSemFim += int(inicios.size());
    }
    return m;
}

// Which programs and drum notes the freepats set has patches for.
struct Patches {
    std::set<int> programas, tambores;
};

Patches lerFreepats() {
    std::ifstream in(FREEPATS);
    Patches p;
    std::set<int>* secao = nullptr;
    std::string linha;
    while (std::getline(in, linha)) {
        std::istringstream l(linha);
        std::string primeira;
        if (!(l >> primeira)) continue;
        if (primeira == "drumset") secao = &p.tambores;
        else if (primeira == "bank") secao = &p.programas;
        else if (secao && std::isdigit(static_cast<unsigned char>(primeira[0]))) secao->insert(std::stoi(primeira));
    }
    return p;
}

double mediana(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs a command; what it printed on standard error goes to `saida`.
int rodar(const std::string& comando, const std::filesystem::path& saida) {
    return std::system((comando + " >/dev/null 2>'" + saida.string() + "'").c_str());
}

double valorDoStat(const std::filesystem::path& arquivo, const std::string& rotulo) {
    std::ifstream in(arquivo);
    std::string linha;
    while (std::getline(in, linha))
        if (linha.rfind(rotulo, 0) == 0) return std::stod(linha.substr(linha.find(':') + 1));
    throw std::runtime_error("no '" + rotulo + "' in sox's output");
}

}  // namespace

TEST(Musica, MelodyBassAndDrumsUsePatchesFreepatsHas) {
    Midi m = lerMidi(MUSICA);
    ASSERT_TRUE(m.formato == 0 || m.formato == 1);
    Patches patches = lerFreepats();
    ASSERT_FALSE(patches.programas.empty()) << "cannot read " << FREEPATS;

    std::map<int, std::vector<int>> alturas;
    for (const Nota& n : m.notas) alturas[n.canal].push_back(n.altura);
    ASSERT_TRUE(alturas.count(9)) << "no drums on channel 10";
    for (int tambor : std::set<int>(alturas[9].begin(), alturas[9].end()))
        EXPECT_TRUE(patches.tambores.count(tambor)) << "drum note " << tambor << " has no freepats patch";

    bool melodia = false, baixo = false;
    for (const auto& [canal, notas] : alturas) {
        if (canal == 9) continue;
        // A channel without a program change plays the piano, silently wrong.
        ASSERT_EQ(m.programas[canal].size(), 1u) << "channel " << canal + 1;
        int programa = *m.programas[canal].begin();
        EXPECT_TRUE(patches.programas.count(programa)) << "program " << programa << " has no freepats patch";
        melodia |= mediana(notas) >= 67;
        baixo |= mediana(notas) <= 52;
    }
    EXPECT_TRUE(melodia) << "no channel plays high enough to carry a melody";
    EXPECT_TRUE(baixo) << "no channel plays low enough for a bass line";
}

// The game plays only a file that passes its check; the generated one must.
TEST(Musica, PassesTheGamesCheck) { EXPECT_EQ(Som::defeitoMidi(MUSICA), ""); }

TEST(Musica, AMinuteOrMoreAtRaceTempo) {
    Midi m = lerMidi(MUSICA);
    ASSERT_FALSE(m.tempos.empty());
    for (const auto& [tick, us] : m.tempos) {
        double bpm = 60e6 / us;
        EXPECT_GE(bpm, 150.0);
        EXPECT_LE(bpm, 170.0);
    }
    EXPECT_GE(m.duracao(), 60.0);
}

// The game restarts the file when it ends: silence at either end, or a note
// left hanging, would be heard at every loop.
TEST(Musica, LoopsToTheStartWithoutAGapOrAHangingNote) {
    Midi m = lerMidi(MUSICA);
    EXPECT_EQ(m.notasSemFim, 0);
    long primeira = m.fim, ultima = 0;
    for (const Nota& n : m.notas) {
        EXPECT_LE(n.fim, m.fim) << "a note outlives the end of the piece";
        primeira = std::min(primeira, n.inicio);
        ultima = std::max(ultima, n.fim);
    }
    EXPECT_LT(m.segundos(primeira), 0.25);
    EXPECT_GT(m.segundos(ultima), m.duracao() - 0.25);

    // The bass sounding at the end is the key's tonic (A) or dominant (E).
    const Nota* ultimoBaixo = nullptr;
    for (const Nota& n : m.notas)
        if (n.canal != 9 && n.altura < 55 && (!ultimoBaixo || n.inicio > ultimoBaixo->inicio)) ultimoBaixo = &n;
    ASSERT_NE(ultimoBaixo, nullptr);
    EXPECT_TRUE(ultimoBaixo->altura % 12 == 9 || ultimoBaixo->altura % 12 == 4) << ultimoBaixo->altura;
}

// The synthesizer has the voices the game keeps for it and no more (the
// sound effects have their own): at most half of them sounding at once
// leaves the other half for notes still ringing out after they end.
TEST(Musica, NeverSoundsMoreNotesAtOnceThanHalfItsVoices) {
    const Midi m = lerMidi(MUSICA);
    std::vector<std::pair<long, int>> mudancas;
    for (const Nota& n : m.notas) {
        mudancas.push_back({n.inicio, +1});
        mudancas.push_back({n.fim, -1});
    }
    std::sort(mudancas.begin(), mudancas.end());  // at one tick, ends before starts
    int soando = 0, maximo = 0;
    for (const auto& [tick, mudanca] : mudancas) maximo = std::max(maximo, soando += mudanca);
    EXPECT_GT(maximo, 0);
    EXPECT_LE(maximo, sons::VOZES_MUSICA / 2);
}

TEST(Musica, TimidityWithFreepatsPlaysTheWholeFileAudibly) {
    const double duracao = lerMidi(MUSICA).duracao();
    ASSERT_GT(duracao, 0.0);
    PastaTemporaria pasta("avesso-musica");
    const auto wav = pasta.caminho() / "musica.wav";
    const auto audivel = pasta.caminho() / "audivel.wav";
    const auto log = pasta.caminho() / "log.txt";
    ASSERT_EQ(rodar("timidity -c " + FREEPATS + " -Ow -o '" + wav.string() + "' " + MUSICA, log), 0)
        << "timidity failed (is it installed?)";

    ASSERT_EQ(rodar("sox '" + wav.string() + "' -n stat", log), 0) << "sox failed (is it installed?)";
    const double total = valorDoStat(log, "Length (seconds)");
    EXPECT_GT(valorDoStat(log, "Maximum amplitude"), 0.2);
    EXPECT_GT(valorDoStat(log, "RMS     amplitude"), 0.03);

    // Timidity lets the last notes ring out; what is audible must end with the file.
    ASSERT_EQ(rodar("sox '" + wav.string() + "' '" + audivel.string() + "' reverse silence 1 0.01 1% reverse", log), 0);
    ASSERT_EQ(rodar("sox '" + audivel.string() + "' -n stat", log), 0);
    const double ouvido = valorDoStat(log, "Length (seconds)");
    EXPECT_NEAR(ouvido, duracao, 1.5);
    EXPECT_LT(total, duracao + 4.0);

    // And the last two seconds of the piece are music, not a fade to nothing.
    ASSERT_EQ(rodar("sox '" + wav.string() + "' -n trim " + std::to_string(duracao - 2.0) + " 2 stat", log), 0);
    EXPECT_GT(valorDoStat(log, "RMS     amplitude"), 0.03);
}

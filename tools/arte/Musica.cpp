#include "Musica.h"

#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace musica {
namespace {

constexpr int BPM = 160;
constexpr long COLCHEIA = ArquivoMidi::TICKS_POR_SEMINIMA / 2;
constexpr long SEMICOLCHEIA = COLCHEIA / 2;
constexpr long COMPASSO = 8 * COLCHEIA;

// Channels, and the General MIDI programs the freepats set has patches for.
constexpr int LIDER = 0, ARPEJO = 1, BAIXO = 2, CORDAS = 3, BATERIA = 9;
constexpr int QUADRADA = 80, PIANO_ELETRICO = 4, BAIXO_SINTETICO = 38, ORQUESTRA = 48;
constexpr int BUMBO = 36, CAIXA = 38, CHIMBAL = 42, CHIMBAL_ABERTO = 46, PRATO = 49;
constexpr int TOM_AGUDO = 50, TOM_MEDIO = 47, TOM_GRAVE = 45;

// "A4", "G#5", "Bb3": MIDI note number (C4 = 60).
int altura(const std::string& nome) {
    static const std::map<char, int> GRAUS = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                              {'G', 7}, {'A', 9}, {'B', 11}};
    auto grau = GRAUS.find(static_cast<char>(std::toupper(static_cast<unsigned char>(nome.at(0)))));
    if (grau == GRAUS.end()) throw std::invalid_argument("bad note " + nome);
    size_t i = 1;
    int acidente = 0;
    if (nome.at(i) == '#') acidente = 1, ++i;
    else if (nome.at(i) == 'b') acidente = -1, ++i;
    return 12 * (std::stoi(nome.substr(i)) + 1) + grau->second + acidente;
}

// Chords by name, voiced below middle C (the arpeggio plays them an octave up).
const std::map<std::string, std::vector<int>>& acordes() {
    static const std::map<std::string, std::vector<int>> A = {
        {"Am", {57, 60, 64}}, {"F", {53, 57, 60}}, {"C", {55, 60, 64}}, {"G", {55, 59, 62}},
        {"E", {52, 56, 59}},  {"Em", {52, 55, 59}}, {"Dm", {50, 53, 57}},
    };
    return A;
}

int raiz(const std::string& acorde) {
    // The bass's root, not the chord's lowest voice (C is voiced G-C-E).
    static const std::map<std::string, int> R = {{"Am", 45}, {"F", 41}, {"C", 48}, {"G", 43},
                                                 {"E", 40},  {"Em", 40}, {"Dm", 50}};
    return R.at(acorde);
}

enum class Batida { ENTRADA, CORRIDA, VIRADA, QUEBRA, ROLO };

struct Secao {
    std::vector<std::string> acordes;   // one per bar
    std::vector<std::string> melodia;   // one per bar: "NOTE:eighths ...", R a rest
    std::vector<Batida> bateria;        // one per bar
    bool cordas;                        // strings hold the chords
    bool baixoLento;                    // half notes instead of driving eighths (first 4 bars)
};

// Melody lines, written bar by bar in eighths (8 to a bar).
const std::vector<std::string> TEMA = {
    "E5:2 A4:1 C5:1 E5:2 D5:1 C5:1", "F5:3 E5:1 C5:2 A4:2",
    "G4:1 C5:1 E5:1 G5:1 F5:2 E5:1 D5:1", "D5:3 B4:1 G4:4",
    "E5:2 A4:1 C5:1 E5:2 A5:2", "A5:1 G5:1 F5:1 E5:1 F5:2 C5:2",
    "D5:1 E5:1 F5:1 G5:1 B4:2 D5:2", "E5:2 D5:1 B4:1 G#4:4",
};
const std::vector<std::string> TEMA_VARIADO = {
    "E5:2 A4:1 C5:1 E5:1 F5:1 E5:1 C5:1", "F5:3 E5:1 C5:2 A4:2",
    "G4:1 C5:1 E5:1 G5:1 A5:2 G5:1 E5:1", "D5:1 C5:1 B4:1 C5:1 D5:2 G5:2",
    "E5:2 A4:1 C5:1 E5:2 A5:2", "A5:1 G5:1 F5:1 E5:1 F5:2 A5:2",
    "G5:1 F5:1 E5:1 D5:1 B4:2 D5:2", "E5:1 F5:1 E5:1 D5:1 E5:4",
};
const std::vector<std::string> PONTE = {
    "C5:2 F5:2 A5:3 G5:1", "G5:2 D5:2 B4:3 D5:1", "E5:2 G5:2 B5:3 A5:1", "A5:4 E5:2 C5:2",
    "D5:1 F5:1 A5:1 F5:1 D5:1 F5:1 A5:2", "B5:1 A5:1 G5:1 F5:1 D5:2 B4:2",
    "G#4:2 B4:2 E5:2 G#5:2", "B5:4 G#5:2 E5:2",
};
const std::vector<std::string> RESPIRO = {
    "A5:6 G5:1 E5:1", "C5:4 E5:4", "F5:6 E5:1 C5:1", "A4:8",
    "G4:2 B4:2 D5:2 G5:2", "F5:4 D5:4", "E5:2 G#5:2 B5:4", "R:8",
};
const std::vector<std::string> FINAL = {
    "A5:2 G5:1 F5:1 C5:2 F5:2", "G5:2 F5:1 D5:1 B4:2 D5:2",
    "E5:2 G#5:2 B5:2 G#5:2", "E5:4 B4:2 G#4:1 B4:1",
};
const std::vector<std::string> PROGRESSAO_TEMA = {"Am", "F", "C", "G", "Am", "F", "G", "E"};

std::vector<Batida> correndo(int compassos) {
    std::vector<Batida> b(static_cast<size_t>(compassos), Batida::CORRIDA);
    b.back() = Batida::VIRADA;
    return b;
}

std::vector<Secao> forma() {
    using B = Batida;
    return {
        {{"Am", "F", "G", "E"}, {"", "", "", ""}, {B::ENTRADA, B::ENTRADA, B::CORRIDA, B::VIRADA}, false, false},
        {PROGRESSAO_TEMA, TEMA, correndo(8), false, false},
        {PROGRESSAO_TEMA, TEMA_VARIADO, correndo(8), true, false},
        {{"F", "G", "Em", "Am", "Dm", "G", "E", "E"}, PONTE, correndo(8), true, false},
        {{"Am", "Am", "F", "F", "G", "G", "E", "E"}, RESPIRO,
         {B::QUEBRA, B::QUEBRA, B::QUEBRA, B::QUEBRA, B::CORRIDA, B::CORRIDA, B::CORRIDA, B::ROLO}, false, true},
        {PROGRESSAO_TEMA, TEMA, correndo(8), true, false},
        {{"F", "G", "E", "E"}, FINAL, correndo(4), true, false},
    };
}

void melodia(ArquivoMidi& m, long inicio, const std::string& compasso) {
    std::istringstream in(compasso);
    std::string ficha;
    long t = inicio;
    while (in >> ficha) {
        size_t dois = ficha.find(':');
        long duracao = std::stol(ficha.substr(dois + 1)) * COLCHEIA;
        std::string nome = ficha.substr(0, dois);
        if (nome != "R") {
            bool forte = (t - inicio) % (2 * COLCHEIA) == 0;
            m.nota(LIDER, t, duracao * 9 / 10, altura(nome), forte ? 104 : 92);
        }
        t += duracao;
    }
    if (t != inicio + COMPASSO) throw std::logic_error("melody bar is not 8 eighths: " + compasso);
}

void acompanhamento(ArquivoMidi& m, long inicio, const std::string& nome, bool cordas, bool baixoLento) {
    const std::vector<int>& notas = acordes().at(nome);
    // Broken chord up and down in eighths.
    static constexpr int ORDEM[8] = {0, 1, 2, 3, 2, 1, 2, 1};
    for (int i = 0; i < 8; ++i) {
        int a = ORDEM[i] == 3 ? notas[0] + 12 : notas[static_cast<size_t>(ORDEM[i])];
        m.nota(ARPEJO, inicio + i * COLCHEIA, COLCHEIA * 8 / 10, a + 12, i % 2 ? 62 : 74);
    }
    const int r = raiz(nome);
    if (baixoLento) {
        m.nota(BAIXO, inicio, 4 * COLCHEIA - 30, r, 100);
        m.nota(BAIXO, inicio + 4 * COLCHEIA, 4 * COLCHEIA - 30, r + 12, 90);
    } else {
        // Root, octave and fifth driving in eighths.
        static constexpr int SALTO[8] = {0, 0, 12, 0, 0, 12, 7, 12};
        for (int i = 0; i < 8; ++i)
            m.nota(BAIXO, inicio + i * COLCHEIA, COLCHEIA * 8 / 10, r + SALTO[i], i % 4 == 0 ? 108 : 94);
    }
    if (cordas)
        for (int a : notas) m.nota(CORDAS, inicio, COMPASSO - 20, a, 58);
}

// Sixteen steps a bar, one row per drum: x a hit, X an accent.
struct Linha {
    int tambor;
    const char* passos;
};

const std::vector<Linha>& padrao(Batida b) {
    static const std::map<Batida, std::vector<Linha>> PADROES = {
        {Batida::ENTRADA, {{BUMBO, "X...x...X...x..."}, {CHIMBAL, "..x...x...x...x."}}},
        {Batida::CORRIDA, {{BUMBO, "X...x...X...x.x."}, {CAIXA, "....X.......X..."},
                           {CHIMBAL, "x.x.x.x.x.x.x..."}, {CHIMBAL_ABERTO, "..............x."}}},
        {Batida::VIRADA, {{BUMBO, "X...x...X......."}, {CAIXA, "....X.......xxXX"},
                          {CHIMBAL, "x.x.x.x........."}, {TOM_AGUDO, "........Xx......"},
                          {TOM_MEDIO, "..........Xx...."}, {TOM_GRAVE, "............x..."}}},
        {Batida::QUEBRA, {{BUMBO, "X.......x......."}, {CHIMBAL, "x.x.x.x.x.x.x.x."}}},
        {Batida::ROLO, {{BUMBO, "X...X...X...X..."}, {CAIXA, "x.x.x.x.xxxxXXXX"}}},
    };
    return PADROES.at(b);
}

void bateria(ArquivoMidi& m, long inicio, Batida b) {
    for (const Linha& l : padrao(b)) {
        for (int i = 0; i < 16; ++i) {
            char c = l.passos[i];
            if (c == '.') continue;
            int forca = (c == 'X' ? 118 : 88) - (l.tambor == CHIMBAL ? 20 : 0);
            m.nota(BATERIA, inicio + i * SEMICOLCHEIA, SEMICOLCHEIA, l.tambor, forca);
        }
    }
}

}  // namespace

ArquivoMidi compor() {
    ArquivoMidi m(BPM);
    m.instrumento(LIDER, QUADRADA, 112, 64);
    m.instrumento(ARPEJO, PIANO_ELETRICO, 96, 40);
    m.instrumento(BAIXO, BAIXO_SINTETICO, 110, 64);
    m.instrumento(CORDAS, ORQUESTRA, 96, 88);
    m.instrumento(BATERIA, 0, 90, 64);

    long t = 0;
    bool primeira = true;
    for (const Secao& s : forma()) {
        // A crash opens every section but the very start, where the loop joins.
        if (!primeira) m.nota(BATERIA, t, SEMICOLCHEIA, PRATO, 110);
        primeira = false;
        for (size_t c = 0; c < s.acordes.size(); ++c, t += COMPASSO) {
            if (!s.melodia[c].empty()) melodia(m, t, s.melodia[c]);
            acompanhamento(m, t, s.acordes[c], s.cordas, s.baixoLento && c < 4);
            bateria(m, t, s.bateria[c]);
        }
    }
    m.terminarEm(t);
    return m;
}

}  // namespace musica

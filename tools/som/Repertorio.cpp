#include "Repertorio.h"

#include <initializer_list>

namespace repertorio {
namespace {

using Forma = Sintese::Forma;
using Nota = Sintese::Nota;

// Notes of the tune's scale, in Hz.
constexpr double G3 = 196.00, A3 = 220.00, G4 = 392.00, B4 = 493.88, D5 = 587.33, E5 = 659.26, A5 = 880.00,
                 C6 = 1046.50, CS6 = 1108.73, D6 = 1174.66, E6 = 1318.51, G6 = 1567.98, A6 = 1760.00, C7 = 2093.00;

// A pulse voice from `inicio` for `duracao` seconds.
Nota pulso(double inicio, double duracao, double f0, double f1, double ciclo, double volume, double queda) {
    Nota n;
    n.inicio = inicio;
    n.duracao = duracao;
    n.f0 = f0;
    n.f1 = f1;
    n.ciclo = ciclo;
    n.volume = volume;
    n.queda = queda;
    return n;
}

Nota comForma(Nota n, Forma forma) {
    n.forma = forma;
    return n;
}

// A flip: a thin pulse gliding an octave towards where the runner goes,
// over a triangle an octave below that gives it body.
void virar(Sintese& s, double duracao, double de, double para) {
    s.tocar(pulso(0.0, duracao, de, para, 0.25, 0.8, 0.09));
    s.tocar(comForma(pulso(0.0, duracao, de / 2, para / 2, 0.5, 0.6, 0.09), Forma::TRIANGULO));
}

// A short run of notes, each `passo` seconds, the last one ringing to the end.
void arpejo(Sintese& s, std::initializer_list<double> notas, double passo, double fim, double ciclo, double queda) {
    double t = 0.0;
    size_t i = 0;
    for (double f : notas) {
        const bool ultima = ++i == notas.size();
        Nota n = pulso(t, ultima ? fim - t : passo, f, 0.0, ciclo, 0.8, ultima ? queda : 0.0);
        if (ultima) {
            n.vibratoHz = 7.0;
            n.vibrato = 0.006;
        }
        s.tocar(n);
        t += passo;
    }
}

}  // namespace

Sintese compor(sons::Efeito efeito) {
    using sons::Efeito;
    const int duracaoMs = sons::ARQUIVOS[static_cast<int>(efeito)].duracaoMs;
    const double d = duracaoMs / 1000.0;  // every voice lasts to the end of its sound or less
    Sintese s(sons::FREQUENCIA, duracaoMs);
    switch (efeito) {
        case Efeito::VIRAR_TETO: virar(s, d, B4, 2 * B4); break;
        case Efeito::VIRAR_CHAO: virar(s, d, G4, G4 / 2); break;
        case Efeito::FORA: {
            // A wobbling slide of two octaves, and a crunch of noise as the
            // runner leaves.
            Nota queda = pulso(0.0, d, G4, G4 / 4, 0.5, 0.7, 0.35);
            queda.vibratoHz = 11.0;
            queda.vibrato = 0.04;
            s.tocar(queda);
            s.tocar(comForma(pulso(0.0, d, G3, G3 / 4, 0.5, 0.5, 0.35), Forma::TRIANGULO));
            s.tocar(comForma(pulso(0.0, 0.12, 3000.0, 800.0, 0.5, 0.5, 0.04), Forma::RUIDO));
            break;
        }
        case Efeito::CHEGADA:
            // A major arpeggio, the tune's A minor turned bright, over a
            // triangle that holds the root.
            arpejo(s, {A5, CS6, E6, A6}, 0.08, d, 0.25, 0.25);
            s.tocar(comForma(pulso(0.0, d, A3 * 2, 0.0, 0.5, 0.5, 0.3), Forma::TRIANGULO));
            break;
        case Efeito::MENU_MOVER: s.tocar(pulso(0.0, d, E6, 0.0, 0.125, 0.8, 0.015)); break;
        case Efeito::MENU_ESCOLHER: arpejo(s, {E5, A5}, 0.06, d, 0.5, 0.06); break;
        case Efeito::MENU_VOLTAR: arpejo(s, {A5, E5}, 0.06, d, 0.5, 0.06); break;
        case Efeito::SELECAO_TOMAR: arpejo(s, {C6, E6, G6, C7}, 0.04, d, 0.25, 0.08); break;
        case Efeito::PAUSA_ABRIR:
            arpejo(s, {D6, A5, D5}, 0.06, d, 0.5, 0.05);
            s.tocar(comForma(pulso(0.0, d, D5 / 2, 0.0, 0.5, 0.4, 0.08), Forma::TRIANGULO));
            break;
        case Efeito::PAUSA_FECHAR:
            arpejo(s, {D5, A5, D6}, 0.06, d, 0.5, 0.05);
            s.tocar(comForma(pulso(0.0, d, D5 / 2, 0.0, 0.5, 0.4, 0.08), Forma::TRIANGULO));
            break;
    }
    s.normalizar(sons::PICO);
    return s;
}

}  // namespace repertorio

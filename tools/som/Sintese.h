#pragma once

#include <cstdint>
#include <vector>

// A short mono sound being built from chip-style voices (pulse, triangle,
// sine and clocked noise), each with a pitch glide, vibrato and an
// envelope, mixed in floating point and then scaled to a given peak.
class Sintese {
public:
    enum class Forma { PULSO, TRIANGULO, SENO, RUIDO };

    // One voice. Times in seconds from the start of the sound, pitches in Hz.
    struct Nota {
        double inicio = 0.0;
        double duracao = 0.1;
        double f0 = 440.0;         // pitch at the start...
        double f1 = 0.0;           // ...gliding to this one by the end (0: no glide)
        Forma forma = Forma::PULSO;
        double ciclo = 0.5;        // a pulse's share of high
        double volume = 1.0;
        double ataque = 0.002;     // linear rise
        double queda = 0.0;        // time constant of an exponential fall (0: none)
        double soltura = 0.010;    // linear fall to silence at the end
        double vibratoHz = 0.0;
        double vibrato = 0.0;      // depth, as a share of the pitch
    };

    Sintese(int frequencia, int duracaoMs);

    void tocar(const Nota& nota);

    // Scales the sound so its loudest sample is `pico` of full scale.
    void normalizar(double pico);

    // 16-bit samples; the sound's last samples fall to silence so it ends
    // without a click.
    std::vector<int16_t> pcm() const;

    int frequencia() const { return frequencia_; }

private:
    int frequencia_;
    std::vector<double> amostras_;
    uint32_t semente_ = 0x2545F491u;  // the noise is the same on every build
};

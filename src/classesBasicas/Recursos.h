#pragma once

#include "dados/Arquivo.h"

#include <memory>

struct BITMAP;
struct MIDI;
struct SAMPLE;

// Holders of what the game acquires from Allegro and the C library: each
// releases its resource on every way out of the scope that owns it.
namespace recursos {

struct DestruirBitmap {
    void operator()(BITMAP* bitmap) const;
};
using Bitmap = std::unique_ptr<BITMAP, DestruirBitmap>;

struct DestruirMidi {
    void operator()(MIDI* musica) const;
};
using Midi = std::unique_ptr<MIDI, DestruirMidi>;

struct DestruirAmostra {
    void operator()(SAMPLE* amostra) const;
};
using Amostra = std::unique_ptr<SAMPLE, DestruirAmostra>;

}  // namespace recursos

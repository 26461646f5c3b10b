#include "classesBasicas/Recursos.h"

#include <allegro.h>

namespace recursos {

void DestruirBitmap::operator()(BITMAP* bitmap) const { destroy_bitmap(bitmap); }

void DestruirMidi::operator()(MIDI* musica) const { destroy_midi(musica); }

void DestruirAmostra::operator()(SAMPLE* amostra) const { destroy_sample(amostra); }

}  // namespace recursos

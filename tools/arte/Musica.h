#pragma once

#include "ArquivoMidi.h"

// The game's theme: an original racing tune in A minor at 160 beats a
// minute, lead, arpeggio, bass, strings and drums, 48 bars (72 s) that end
// on the dominant so the loop back to the start sounds like a resolution.
namespace musica {

ArquivoMidi compor();

}  // namespace musica

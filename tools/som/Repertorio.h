#pragma once

#include "Sintese.h"
#include "dados/Sons.h"

// The game's sound effects, each composed from a few chip voices in the
// music's key (A minor, with the major third for the finish): flips glide
// an octave the way the runner goes, a drop-out slides down and crumbles,
// the finish rings a rising fanfare, and the menus answer with short blips.
namespace repertorio {

Sintese compor(sons::Efeito efeito);

}  // namespace repertorio

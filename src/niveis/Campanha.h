#pragma once

#include "dados/Niveis.h"

// The built-in campaign as it is played: each level of NIVEIS read from its
// text file under PASTA, relative to the working directory (the game's data
// folder), with the two pictures the build painted from that file.
namespace niveis {

// Level `numero` (1 to NUM_NIVEIS), read once and kept. Throws
// std::runtime_error with the line that says what is wrong with its file.
const Nivel& daCampanha(int numero);

}  // namespace niveis

#pragma once

#include <cstdint>
#include <string>

// Writes fresh level files (niveis/README.md's format) from a seed. A level
// is laid out as a runner would meet it: stretches of one speed each, the
// dangers on alternate sides (a pit or a floor wall while the runner is on
// the floor, a hole or a ceiling wall while it hangs from the ceiling), each
// far enough from the last, wide enough and low enough for the speed there
// as the rules of niveis/README.md ask; floors and ceilings change height
// only at gaps or by stepping away from a runner; slabs and harmless gaps
// on the other side fill long rests; the fastest stretches ask for no press
// at all; the level ends with the sky opening, the finish line on the floor
// and the ground giving out. Every decision is whole-number arithmetic on
// one Acaso sequence, so a seed gives the same bytes everywhere. Built so
// most candidates pass; the prover decides which do.
namespace geradorNivel {

// Candidate `candidato` (from 0) of seed `semente`: a whole level file,
// its first line a comment naming both.
std::string gerar(uint64_t semente, int candidato);

}  // namespace geradorNivel

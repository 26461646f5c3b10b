#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// avesso-levels, the command beside the game that checks level files and
// makes fresh ones:
//   avesso-levels check FILE             is the level finishable and fair?
//   avesso-levels new --seed N -o FILE   a fresh level that passed the check
namespace comandoNiveis {

// Exit codes.
constexpr int CERTIFICADO = 0;
constexpr int NAO_CERTIFICADO = 1;
constexpr int ERRO_DE_USO = 2;  // the command line or a file

// Candidates tried for one seed before giving up.
constexpr int MAX_CANDIDATOS = 40;

// A fresh level and how it was found.
struct Novo {
    std::string texto;   // the level file; empty when no candidate passed
    int candidatos = 0;  // tried, the one that passed included
};

// The first candidate of seed `semente` (geradorNivel::gerar) that passes
// the check, each one tried told to `relatar` in one line. The same seed
// gives the same level, byte for byte.
Novo novo(uint64_t semente, const std::function<void(const std::string&)>& relatar = {});

// A seed as written: a whole number from 0 to 18446744073709551615.
std::optional<uint64_t> lerSemente(const std::string& texto);

// The whole command; returns its exit code.
int executar(int argc, const char* const* argv);

}  // namespace comandoNiveis

#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// Files written whole or not at all: the level files avesso-levels makes
// and the pictures the game paints into its cache.
class ArquivoInteiro {
public:
    // Writes the `n` bytes at `dados` to `fd`, past interruptions; false
    // on an error, which errno then names.
    static bool escrever(int fd, const void* dados, std::size_t n);

    // Writes the bytes at `destino` whole or not at all: into a file of its
    // own beside it (.NAME.PID.tmp) first, then renamed over the name, so
    // no reader ever sees half of it. False, with the system's reason in
    // `porque`, when it could not.
    static bool gravar(const std::filesystem::path& destino, const void* dados, std::size_t n, std::string& porque);
};

#include "niveis/ArquivoInteiro.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

bool ArquivoInteiro::escrever(int fd, const void* dados, std::size_t n) {
    const auto* bytes = static_cast<const char*>(dados);
    std::size_t feito = 0;
    while (feito < n) {
        const ssize_t escrito = write(fd, bytes + feito, n - feito);
        if (escrito < 0 && errno == EINTR) continue;
        if (escrito <= 0) {
            if (escrito == 0) errno = EIO;
            return false;
        }
        feito += static_cast<std::size_t>(escrito);
    }
    return true;
}

bool ArquivoInteiro::gravar(const std::filesystem::path& destino, const void* dados, std::size_t n,
                            std::string& porque) {
    const std::filesystem::path temporario =
        destino.parent_path() / ("." + destino.filename().string() + "." + std::to_string(getpid()) + ".tmp");
    const int fd = open(temporario.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        porque = std::strerror(errno);
        return false;
    }
    bool ok = escrever(fd, dados, n);
    if (!ok) porque = std::strerror(errno);
    if (close(fd) != 0 && ok) {
        ok = false;
        porque = std::strerror(errno);
    }
    if (ok && std::rename(temporario.c_str(), destino.c_str()) != 0) {
        ok = false;
        porque = std::strerror(errno);
    }
    if (!ok) unlink(temporario.c_str());
    return ok;
}

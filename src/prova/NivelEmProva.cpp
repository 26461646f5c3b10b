#include "prova/NivelEmProva.h"

#include "classesBasicas/FigurasNivel.h"
#include "niveis/DescricaoNivel.h"
#include "niveis/PintorNivel.h"
#include "niveis/Relevo.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

NivelEmProva::NivelEmProva(const DescricaoNivel& descricao) {
    // The engine keeps a level's pictures by path, and the file's path may
    // be one an earlier level had.
    FigurasNivel::liberar();
    const std::vector<uint8_t> bytes = PintorNivel::colisao(Relevo(descricao)).bmp();
    descritor = memfd_create("avesso-prova", MFD_CLOEXEC);
    if (descritor < 0)
        throw std::runtime_error(std::string("cannot keep the level's picture: ") + std::strerror(errno));
    for (std::size_t feito = 0; feito < bytes.size();) {
        const ssize_t n = write(descritor, bytes.data() + feito, bytes.size() - feito);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string porque = std::strerror(errno);
            close(descritor);
            throw std::runtime_error("cannot keep the level's picture: " + porque);
        }
        feito += static_cast<std::size_t>(n);
    }
    nivel = descricao.paraJogar("", "", "/proc/self/fd/" + std::to_string(descritor));
}

NivelEmProva::~NivelEmProva() {
    FigurasNivel::liberar();
    close(descritor);
}

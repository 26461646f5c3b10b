#include "niveis/FigurasPintadas.h"

#include "niveis/ArquivoInteiro.h"
#include "niveis/Cache.h"
#include "niveis/DescricaoNivel.h"
#include "niveis/PintorNivel.h"
#include "niveis/Relevo.h"

#include "dados/Bytes.h"
#include "dados/Niveis.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

#ifndef AVESSO_VERSAO_PINTOR
#define AVESSO_VERSAO_PINTOR "sem-versao"
#endif

namespace fs = std::filesystem;

namespace {

const char* const PASTA_FIGURAS = "figuras";
const char* const SUFIXO_VISUAL = "-visual.bmp";
const char* const SUFIXO_COLISAO = "-colisao.bmp";

using bytes::lerLe16;
using bytes::lerLe32;

// Whether the file at `caminho` is a whole picture as the painter writes
// one: an 8-bit BMP of the level's size, every byte of it there. A file
// cut short or overwritten is painted again rather than shown.
bool isFiguraInteira(const fs::path& caminho) {
    const int fd = open(caminho.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    uint8_t h[54];
    const bool lido = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && read(fd, h, sizeof h) == sizeof h;
    close(fd);
    if (!lido || h[0] != 'B' || h[1] != 'M') return false;
    const uint32_t inicio = lerLe32(h + 10);
    const auto linha = static_cast<uint32_t>((niveis::COMPRIMENTO + 3) / 4 * 4);
    return lerLe32(h + 2) == static_cast<uint64_t>(info.st_size) && lerLe32(h + 18) == niveis::COMPRIMENTO &&
           lerLe32(h + 22) == niveis::ALTURA && lerLe16(h + 28) == 8 && lerLe32(h + 30) == 0 &&
           static_cast<uint64_t>(inicio) + static_cast<uint64_t>(linha) * niveis::ALTURA ==
               static_cast<uint64_t>(info.st_size);
}

// Writes `bytes` at `destino` whole or not at all.
bool gravarInteiro(const fs::path& destino, const std::vector<uint8_t>& bytes) {
    std::string porque;
    return ArquivoInteiro::gravar(destino, bytes.data(), bytes.size(), porque);
}

// A file in memory holding `bytes`, and the path it opens by; -1 when the
// system gives none.
int naMemoria(const char* nome, const std::vector<uint8_t>& bytes, std::string& caminho) {
    const int fd = memfd_create(nome, MFD_CLOEXEC);
    if (fd < 0) return -1;
    caminho = "/proc/self/fd/" + std::to_string(fd);
    if (!ArquivoInteiro::escrever(fd, bytes.data(), bytes.size()) || access(caminho.c_str(), R_OK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

fs::path FigurasPintadas::pastaCache() {
    // Relative paths in these variables are to be ignored.
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg && xdg[0] == '/') return fs::path(xdg) / "avesso";
    const char* casa = std::getenv("HOME");
    if (casa && casa[0] == '/') return fs::path(casa) / ".cache" / "avesso";
    return {};
}

std::string FigurasPintadas::chave(const std::string& texto) {
    // FNV-1a, 64 bits: the painter's version, then the level's text.
    uint64_t h = 14695981039346656037ull;
    auto misturar = [&h](const std::string& s) {
        for (const char c : s) {
            h ^= static_cast<uint8_t>(c);
            h *= 1099511628211ull;
        }
    };
    misturar(AVESSO_VERSAO_PINTOR);
    misturar(std::string(1, '\0'));
    misturar(texto);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return hex;
}

FigurasPintadas FigurasPintadas::obter(const DescricaoNivel& nivel, const std::string& texto, const fs::path& cache) {
    FigurasPintadas figuras;
    const std::string nome = chave(texto);
    std::error_code erro;
    const fs::path pasta = cache.empty() ? fs::path() : cache / PASTA_FIGURAS;
    const fs::path visual = pasta / (nome + SUFIXO_VISUAL), colisao = pasta / (nome + SUFIXO_COLISAO);
    if (!pasta.empty() && isFiguraInteira(visual) && isFiguraInteira(colisao)) {
        // Used now: the last the cache lets go.
        for (const fs::path& p : {visual, colisao}) utimensat(AT_FDCWD, p.c_str(), nullptr, 0);
        figuras.visual = visual.string();
        figuras.colisao = colisao.string();
        return figuras;
    }

    figuras.pintadaAgora = true;
    std::vector<uint8_t> bytesVisual, bytesColisao;
    {
        const Relevo relevo(nivel);
        bytesColisao = PintorNivel::colisao(relevo).bmp();
        bytesVisual = PintorNivel::visual(relevo, nivel).bmp();
    }
    if (!pasta.empty()) fs::create_directories(pasta, erro);
    if (!pasta.empty() && !erro && gravarInteiro(colisao, bytesColisao)) {
        if (gravarInteiro(visual, bytesVisual)) {
            // The last MAX_NIVEIS levels used stay (a hit touches its pictures).
            Cache::podar(pasta, SUFIXO_VISUAL, MAX_NIVEIS, [&pasta](const std::string& nivel) {
                std::error_code falha;
                fs::remove(pasta / (nivel + SUFIXO_VISUAL), falha);
                fs::remove(pasta / (nivel + SUFIXO_COLISAO), falha);
            });
            figuras.visual = visual.string();
            figuras.colisao = colisao.string();
            return figuras;
        }
        fs::remove(colisao, erro);
    }
    figuras.descritores[0] = naMemoria("avesso-visual", bytesVisual, figuras.visual);
    figuras.descritores[1] = naMemoria("avesso-colisao", bytesColisao, figuras.colisao);
    if (figuras.descritores[0] < 0 || figuras.descritores[1] < 0)
        throw std::runtime_error("cannot keep the painted level anywhere: " + std::string(std::strerror(errno)));
    return figuras;
}

FigurasPintadas::FigurasPintadas(FigurasPintadas&& outra) noexcept { *this = std::move(outra); }

FigurasPintadas& FigurasPintadas::operator=(FigurasPintadas&& outra) noexcept {
    if (this != &outra) {
        fechar();
        visual = std::move(outra.visual);
        colisao = std::move(outra.colisao);
        pintadaAgora = outra.pintadaAgora;
        for (int i = 0; i < 2; ++i) {
            descritores[i] = outra.descritores[i];
            outra.descritores[i] = -1;
        }
    }
    return *this;
}

FigurasPintadas::~FigurasPintadas() { fechar(); }

void FigurasPintadas::fechar() {
    for (int& fd : descritores) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
}

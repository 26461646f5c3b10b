#include "classesBasicas/FigurasNivel.h"

#include "classesBasicas/Imagem.h"
#include "classesBasicas/Recursos.h"

#include "dados/Niveis.h"

#include <allegro.h>
#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// A picture as kept: each pixel an index into its own colours, packed
// `bits` to a byte from the high bits down, each row starting on a byte.
struct Guardada {
    std::string caminho;
    int largura = 0;
    int altura = 0;
    int bits = 8;                 // 1, 2, 4 or 8
    size_t bytesPorLinha = 0;
    std::vector<uint32_t> cores;  // 32-bit colour of each index
    std::vector<uint8_t> pixels;  // rows top-down
};

// The pictures of the level being played.
std::vector<std::unique_ptr<Guardada>> guardadas;

// A retry frees its map's 140 MB and at once asks for as much again. By
// default malloc gives blocks that big back to the system, and taking them
// anew costs a page fault every 4 KB; held in the heap instead, a retry
// reuses pages already there. liberar hands them back when the level is
// left, so the menus do not sit on them.
void guardarMemoriaDoNivel() {
    static bool feito = false;
    if (feito) return;
    feito = true;
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

// Asks the system to back [inicio, inicio + bytes) with huge pages, and
// the huge pages it overlaps: in the heap, where the level's bitmaps lie
// end to end, their edges too. A hint: refused, or partly, is fine.
void pedirPaginasGrandes(const void* inicio, size_t bytes) {
    constexpr uintptr_t PAGINA_GRANDE = 2u << 20;
    const auto de = reinterpret_cast<uintptr_t>(inicio) & ~(PAGINA_GRANDE - 1);
    const uintptr_t ate = (reinterpret_cast<uintptr_t>(inicio) + bytes + PAGINA_GRANDE - 1) & ~(PAGINA_GRANDE - 1);
    madvise(reinterpret_cast<void*>(de), ate - de, MADV_HUGEPAGE);
}

// The memory of a level's maps being touched ahead (prepararMemoria): a
// block of the main heap, where the maps' bitmaps will be made once it is
// freed, and the thread touching it.
class Preparo {
public:
    // The four bitmaps of a level's map and the pictures kept packed.
    static constexpr size_t BYTES =
        4 * static_cast<size_t>(niveis::COMPRIMENTO) * niveis::ALTURA * 4 + (8u << 20);

    ~Preparo() { terminar(); }

    void comecar() {
        if (bloco) return;
        bloco = static_cast<char*>(std::malloc(BYTES));
        if (!bloco) return;
        pedirPaginasGrandes(bloco, BYTES);
        try {
            fio = std::thread([b = bloco] {
                for (size_t i = 0; i < BYTES; i += 4096) b[i] = 0;
            });
        } catch (const std::system_error&) {
            terminar();  // no thread: the build touches its memory itself
        }
    }

    // Waits for the thread and gives the block back to the heap, where the
    // next allocations find it.
    void terminar() {
        if (fio.joinable()) fio.join();
        std::free(bloco);
        bloco = nullptr;
    }

private:
    char* bloco = nullptr;
    std::thread fio;
};

Preparo preparo;

// A file read in blocks, straight from the system's cache: no copy of a
// whole picture's file in fresh memory, which would cost its pages' faults.
class Arquivo {
public:
    explicit Arquivo(const std::string& caminho) : f_(recursos::abrir(caminho, "rb")) {}
    bool isAberto() const { return f_ != nullptr; }
    bool ler(long onde, uint8_t* destino, size_t bytes) {
        return std::fseek(f_.get(), onde, SEEK_SET) == 0 && std::fread(destino, 1, bytes, f_.get()) == bytes;
    }

private:
    recursos::Arquivo f_;
};

// Calls `usar(y, row)` for each row of pixels, y counted from the top.
template <typename Usar>
bool paraCadaLinha(Arquivo& arquivo, long inicio, size_t passo, int altura, std::vector<uint8_t>& bloco, Usar usar) {
    const int linhasPorBloco = static_cast<int>(bloco.size() / passo);
    for (int primeira = 0; primeira < altura; primeira += linhasPorBloco) {
        const int linhas = std::min(linhasPorBloco, altura - primeira);
        // BMP rows are stored bottom-up: file rows `primeira` on are picture
        // rows altura - 1 - primeira upwards.
        const size_t bytes = passo * static_cast<size_t>(linhas);
        if (!arquivo.ler(inicio + static_cast<long>(passo) * primeira, bloco.data(), bytes)) return false;
        for (int i = 0; i < linhas; ++i) usar(altura - 1 - (primeira + i), &bloco[passo * static_cast<size_t>(i)]);
    }
    return true;
}

// Packs a row of palette indices POR_BYTE to a byte, from the high bits
// down, each renumbered through `novo`.
template <int POR_BYTE>
void empacotarLinha(const uint8_t* origem, int largura, const uint8_t* novo, uint8_t* destino) {
    constexpr int BITS = 8 / POR_BYTE;
    int x = 0;
    for (; x + POR_BYTE <= largura; x += POR_BYTE) {
        unsigned byte = 0;
        for (int k = 0; k < POR_BYTE; ++k) byte = byte << BITS | novo[origem[x + k]];
        *destino++ = static_cast<uint8_t>(byte);
    }
    if (x < largura) {  // the last byte, half full
        unsigned byte = 0;
        int k = 0;
        for (; x < largura; ++x, ++k) byte = byte << BITS | novo[origem[x]];
        *destino = static_cast<uint8_t>(byte << (BITS * (POR_BYTE - k)));
    }
}

// The picture of a plain 8-bit BMP with a Windows header, whose pixels all
// name colours of its palette; null for anything else, which Allegro reads.
// The file has passed Imagem's checks: the header is sane and the pixels
// are all there.
std::unique_ptr<Guardada> lerBmp8(const std::string& caminho) {
    constexpr size_t CABECALHO = Imagem::CABECALHO_ARQUIVO, INFO = Imagem::INFO_WINDOWS;
    Arquivo arquivo(caminho);
    uint8_t h[CABECALHO + INFO + 256 * 4];
    if (!arquivo.isAberto() || !arquivo.ler(0, h, CABECALHO + INFO)) return nullptr;
    const std::optional<Imagem::Cabecalho> c = Imagem::lerCabecalho(h, CABECALHO + INFO);
    if (!c || c->tamanhoInfo != INFO || c->bits != 8 || c->compressao != Imagem::BI_RGB) return nullptr;
    const long inicio = static_cast<long>(c->inicioPixels);
    const int largura = static_cast<int>(c->largura);
    const int altura = static_cast<int>(c->altura);
    const auto numCores = static_cast<uint32_t>(c->cores);
    if (!arquivo.ler(CABECALHO + INFO, h + CABECALHO + INFO, 4 * numCores)) return nullptr;
    const size_t passo = (static_cast<size_t>(largura) + 3) / 4 * 4;
    std::vector<uint8_t> bloco(std::max<size_t>(passo, 256 * 1024));

    // Which palette entries are used, renumbered densely.
    bool usada[256] = {};
    if (!paraCadaLinha(arquivo, inicio, passo, altura, bloco, [&](int, const uint8_t* linha) {
            for (int x = 0; x < largura; ++x) usada[linha[x]] = true;
        }))
        return nullptr;
    auto g = std::make_unique<Guardada>();
    uint8_t novo[256] = {};
    for (uint32_t i = 0; i < 256; ++i) {
        if (!usada[i]) continue;
        // An index past the palette: Allegro's colour for it is its own
        // business.
        if (i >= numCores) return nullptr;
        // Allegro keeps a palette in 6 bits a channel and widens it back.
        const uint8_t* c = h + CABECALHO + INFO + 4 * i;
        novo[i] = static_cast<uint8_t>(g->cores.size());
        g->cores.push_back(static_cast<uint32_t>(
            makecol32(_rgb_scale_6[c[2] >> 2], _rgb_scale_6[c[1] >> 2], _rgb_scale_6[c[0] >> 2])));
    }
    const size_t n = g->cores.size();
    g->bits = n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
    g->caminho = caminho;
    g->largura = largura;
    g->altura = altura;
    const int porByte = 8 / g->bits;
    g->bytesPorLinha = (static_cast<size_t>(largura) + porByte - 1) / porByte;
    g->pixels.assign(g->bytesPorLinha * static_cast<size_t>(altura), 0);
    void (*empacotar)(const uint8_t*, int, const uint8_t*, uint8_t*) =
        g->bits == 1 ? empacotarLinha<8> : g->bits == 2 ? empacotarLinha<4> : g->bits == 4 ? empacotarLinha<2>
                                                                                            : empacotarLinha<1>;
    const bool lida = paraCadaLinha(arquivo, inicio, passo, altura, bloco, [&](int y, const uint8_t* origem) {
        empacotar(origem, largura, novo, &g->pixels[g->bytesPorLinha * static_cast<size_t>(y)]);
    });
    return lida ? std::move(g) : nullptr;
}

// Widens the rows of a kept picture packed POR_BYTE pixels to a byte: each
// byte becomes its pixels through a table of all 256 byte values.
template <int POR_BYTE>
void alargarLinhas(const Guardada& g, BITMAP* bitmap) {
    constexpr int BITS = 8 / POR_BYTE;
    constexpr uint32_t MASCARA = (1u << BITS) - 1;
    std::vector<uint32_t> tabela(256 * POR_BYTE);
    for (uint32_t v = 0; v < 256; ++v) {
        for (int k = 0; k < POR_BYTE; ++k) {
            const uint32_t indice = v >> (8 - BITS * (k + 1)) & MASCARA;
            tabela[v * POR_BYTE + k] = indice < g.cores.size() ? g.cores[indice] : 0;
        }
    }
    const int inteiros = g.largura / POR_BYTE;  // bytes whose pixels are all in the row
    const int resto = g.largura % POR_BYTE;
    for (int y = 0; y < g.altura; ++y) {
        const uint8_t* origem = &g.pixels[g.bytesPorLinha * static_cast<size_t>(y)];
        auto* destino = reinterpret_cast<uint32_t*>(bitmap->line[y]);
        for (int i = 0; i < inteiros; ++i, destino += POR_BYTE)
            std::memcpy(destino, &tabela[origem[i] * POR_BYTE], sizeof(uint32_t) * POR_BYTE);
        if (resto)
            std::memcpy(destino, &tabela[origem[inteiros] * POR_BYTE], sizeof(uint32_t) * static_cast<size_t>(resto));
    }
}

// A new 32-bit bitmap of a kept picture.
BITMAP* alargar(const Guardada& g) {
    BITMAP* bitmap = FigurasNivel::criarBitmap(g.largura, g.altura);
    if (!bitmap) return nullptr;
    switch (g.bits) {
        case 1: alargarLinhas<8>(g, bitmap); break;
        case 2: alargarLinhas<4>(g, bitmap); break;
        case 4: alargarLinhas<2>(g, bitmap); break;
        default: alargarLinhas<1>(g, bitmap); break;
    }
    return bitmap;
}

}  // namespace

BITMAP* FigurasNivel::criar(const std::string& caminho) {
    guardarMemoriaDoNivel();
    preparo.terminar();
    for (const auto& g : guardadas)
        if (g->caminho == caminho) return alargar(*g);
    if (!Imagem::isBmpIntegro(caminho)) return nullptr;
    // Kept pictures widen to 32 bits: the depth the game draws in.
    if (get_color_depth() == 32) {
        if (std::unique_ptr<Guardada> g = lerBmp8(caminho)) {
            guardadas.push_back(std::move(g));
            return alargar(*guardadas.back());
        }
    }
    return Imagem::carregar(caminho);
}

BITMAP* FigurasNivel::criarBitmap(int largura, int altura) {
    preparo.terminar();
    BITMAP* bitmap = create_bitmap_ex(32, largura, altura);
    if (!bitmap || !is_memory_bitmap(bitmap)) return bitmap;
    // A memory bitmap's pixels are one block, untouched yet.
    pedirPaginasGrandes(bitmap->dat, static_cast<size_t>(largura) * static_cast<size_t>(altura) * 4u);
    return bitmap;
}

void FigurasNivel::prepararMemoria() {
    // Before the block is taken, so that it comes from the heap.
    guardarMemoriaDoNivel();
    preparo.comecar();
}

void FigurasNivel::manterApenas(const std::string& visual, const std::string& colisao) {
    for (size_t i = guardadas.size(); i-- > 0;)
        if (guardadas[i]->caminho != visual && guardadas[i]->caminho != colisao)
            guardadas.erase(guardadas.begin() + static_cast<long>(i));
}

void FigurasNivel::liberar() {
    preparo.terminar();
    guardadas.clear();
    malloc_trim(0);
}

size_t FigurasNivel::bytesGuardados() {
    size_t total = 0;
    for (const auto& g : guardadas) total += g->pixels.size() + g->cores.size() * sizeof(uint32_t);
    return total;
}

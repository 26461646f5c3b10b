#pragma once

#include <cstddef>
#include <string>

struct BITMAP;

// The clean pictures of the level being played, decoded once and kept while
// that level is played or retried, so a retry widens them into new bitmaps
// instead of reading and decoding the files again. A plain 8-bit BMP (what
// the game's own levels are) is read here directly and kept in the fewest
// bits a pixel its colours need: one for a collision picture, four for a
// 16-colour visual one. Any other picture is loaded through Imagem at every
// build and not kept. While a level is played the memory of its
// maps also stays in the process, so a retry's bitmaps reuse the last
// attempt's pages; liberar gives it back. Main thread only (prepararMemoria
// runs a thread of its own, which the other calls wait for).
class FigurasNivel {
public:
    // A new 32-bit bitmap of the picture at `caminho`, which the caller owns;
    // null when the file is missing or damaged (as Imagem::carregar), or
    // when there is no memory for the bitmap.
    static BITMAP* criar(const std::string& caminho);

    // Lets go of every kept picture but these two: a level's pair, asked for
    // before a map is built, so another level's pictures never stay beside it.
    static void manterApenas(const std::string& visual, const std::string& colisao);
    // The level is left: lets go of everything kept, and gives the memory
    // the level's maps freed back to the system.
    static void liberar();

    // A new 32-bit bitmap, as create_bitmap_ex gives it, whose pixels the
    // system may back with huge pages: a level's four bitmaps are 140 MB of
    // fresh memory, and faulting it in 4 KB pages was most of a build.
    static BITMAP* criarBitmap(int largura, int altura);

    // Makes the memory of a level's maps ready ahead, while the menus run:
    // takes it into the heap and has a thread of its own touch every page.
    // Memory no process has used for a few seconds the system may have
    // given back to the machine it runs on (a virtual machine's free pages
    // are handed back so), and the first touch of each page then costs
    // several times more: a level's 140 MB took 300 ms instead of 40. The
    // next picture or bitmap made here waits for the thread and builds in
    // that memory. Does nothing if it is ready already.
    static void prepararMemoria();

    // Bytes held by the kept pictures.
    static size_t bytesGuardados();
};

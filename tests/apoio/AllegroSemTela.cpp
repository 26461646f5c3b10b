#include "AllegroSemTela.h"

#include "classesBasicas/FigurasNivel.h"

#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <filesystem>
#include <stdexcept>
#include <unistd.h>

extern "C" {
void* _unix_create_mutex(void);
void _unix_destroy_mutex(void*);
void _unix_lock_mutex(void*);
void _unix_unlock_mutex(void*);
}

namespace semTela {
namespace {

// The display-less driver has no timer drivers and no mutexes; lend it the
// Unix ones so install_timer works.
_DRIVER_INFO* driversDeTimer() {
    static _DRIVER_INFO lista[] = {{TIMERDRV_UNIX_PTHREADS, &timerdrv_unix_pthreads, TRUE},
                                   {0, nullptr, 0}};
    return lista;
}

}  // namespace

void iniciar(bool comTimer) {
    static bool timer = false;
    iniciarAllegro();
    if (comTimer && !timer) {
        system_driver->timer_drivers = driversDeTimer;
        system_driver->create_mutex = _unix_create_mutex;
        system_driver->destroy_mutex = _unix_destroy_mutex;
        system_driver->lock_mutex = _unix_lock_mutex;
        system_driver->unlock_mutex = _unix_unlock_mutex;
        if (install_timer() != 0) throw std::runtime_error("install_timer failed");
        timer = true;
    }
}

bool salvar(const std::string& caminho, BITMAP* bitmap) {
    return save_bmp(caminho.c_str(), bitmap, nullptr) == 0;
}

int corQuadroTeste(bool chao, int quadro) {
    return chao ? makecol(10 + quadro, 200, 30) : makecol(100 + quadro, 30, 200);
}

PastaDeTrabalho::PastaDeTrabalho() {
    namespace fs = std::filesystem;
    iniciar();
    // Pictures kept from another folder's files of the same names.
    FigurasNivel::liberar();
    anterior_ = fs::current_path().string();
    fs::create_directories(pasta_.caminho() / "src/Img/Jogo");
    fs::current_path(pasta_.caminho());

    BITMAP* pixel = create_bitmap(1, 1);
    clear_to_color(pixel, makecol(255, 0, 255));
    salvar("src/Img/Jogo/pixelTransparente.bmp", pixel);
    destroy_bitmap(pixel);

    BITMAP* folha = create_bitmap(210, 96);
    clear_to_color(folha, makecol(255, 0, 255));
    for (int k = 0; k < 5; ++k) rectfill(folha, 42 * k, 0, 42 * k + 41, 46, corQuadroTeste(true, k));
    for (int k = 0; k < 4; ++k) rectfill(folha, 42 * k, 49, 42 * k + 41, 95, corQuadroTeste(false, k));
    salvar("src/Img/Jogo/player 1a.bmp", folha);
    destroy_bitmap(folha);
}

PastaDeTrabalho::~PastaDeTrabalho() {
    FigurasNivel::liberar();
    std::error_code erro;
    std::filesystem::current_path(anterior_, erro);
}

}  // namespace semTela

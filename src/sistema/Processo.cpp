#include "sistema/Processo.h"

#include "classesControle/Menu.h"

#include <allegro.h>
#include <alsa/asoundlib.h>
#include <xalleg.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

void pedirSaida(int) { Menu::pedirSaida(); }

// The sound library's own complaints (no card, no mixer) are not the
// player's business: a game without sound just plays silently.
void semQueixas(const char*, int, const char*, int, const char*, ...) {}

// Allegro's X thread runs this instead of its own input handler, under its
// X lock: a window destroyed by another client is noticed here, since
// Allegro itself ignores the event.
void lerEntradaX() {
    XEvent evento;
    if (XCheckTypedWindowEvent(_xwin.display, _xwin.window, DestroyNotify, &evento)) Menu::pedirSaida();
    _xwin_private_handle_input();
}

// Requests on a window that is gone fail; the game is quitting by then.
int errosX(Display*, XErrorEvent* erro) {
    if (erro->resourceid == _xwin.window) Menu::pedirSaida();
    return 0;
}

[[noreturn]] int conexaoPerdida(Display*) {
    // Xlib ends the program when this returns, running exit handlers while
    // Allegro's threads still use the connection: end it here instead.
    static const char linha[] = "avesso: lost the connection to the display\n";
    if (write(STDERR_FILENO, linha, sizeof linha - 1) < 0) {
    }
    _exit(EXIT_FAILURE);
}

}  // namespace

void prepararProcesso() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // The lowest free descriptor is this one.
        if (open("/dev/null", O_RDWR) != fd) break;
    }
    std::signal(SIGPIPE, SIG_IGN);
    snd_lib_error_set_handler(semQueixas);
}

void vigiarSaida() {
    struct sigaction acao = {};
    acao.sa_handler = pedirSaida;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    // Allegro's own handlers, which shut it down inside the signal, and the
    // default end of a closed terminal's SIGHUP, give way to a clean quit.
    for (int sinal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP}) sigaction(sinal, &acao, nullptr);
    // Ctrl+Alt+End would end the game at once, and Left Control is a
    // player's key.
    three_finger_flag = FALSE;

    XLOCK();
    XSetErrorHandler(errosX);
    XSetIOErrorHandler(conexaoPerdida);
    _xwin_input_handler = lerEntradaX;
    XUNLOCK();
}

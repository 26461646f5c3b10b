#include "sistema/Processo.h"

#include "classesControle/Menu.h"

#include <allegro.h>
#include <xalleg.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

void pedirSaida(int) { Menu::pedirSaida(); }

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
}

void vigiarSaida() {
    struct sigaction acao = {};
    acao.sa_handler = pedirSaida;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    sigaction(SIGINT, &acao, nullptr);
    sigaction(SIGTERM, &acao, nullptr);

    XLOCK();
    XSetErrorHandler(errosX);
    XSetIOErrorHandler(conexaoPerdida);
    _xwin_input_handler = lerEntradaX;
    XUNLOCK();
}

#include "sistema/Janela.h"

#include "classesBasicas/Tela.h"
#include "dados/Medidas.h"
#include "sistema/Escala.h"

#include <allegro.h>
#include <xalleg.h>
#include <X11/Xatom.h>

#include <cstdio>

namespace {

constexpr int W = medidas::LARGURA_TELA;
constexpr int H = medidas::ALTURA_TELA;

// Used on the main thread only.
struct Estado {
    BITMAP* logica = nullptr;  // the picture every screen draws; Janela::fechar releases it
    int escalaJanela = 1;      // the factor in a window
    bool telaCheia = false;
    int fator = 1, x = 0, y = 0;  // how the picture is put on Allegro's screen now
    bool avisouSemTelaCheia = false;
};
Estado estado;

void apresentar(BITMAP* logica) {
    if (!screen) return;
    if (estado.fator == 1)
        blit(logica, screen, 0, 0, estado.x, estado.y, W, H);
    else
        stretch_blit(logica, screen, 0, 0, W, H, estado.x, estado.y, W * estado.fator, H * estado.fator);
    // Allegro queues the picture and sends it on its input thread's next
    // pass, up to 10 ms later; sent now, every frame stays as long as the
    // frame loop makes it.
    if (_xwin.display) {
        XLOCK();
        XFlush(_xwin.display);
        XUNLOCK();
    }
}

bool abrirModo(int largura, int altura) {
    return set_gfx_mode(GFX_AUTODETECT_WINDOWED, largura, altura, 0, 0) == 0;
}

// A window at `fator`, or the largest below it that opens.
bool abrirJanela(int fator) {
    for (int f = fator; f >= 1; --f) {
        if (!abrirModo(W * f, H * f)) continue;
        if (f != fator)
            std::fprintf(stderr, "avesso: cannot open a %d x %d window%s%s; using scale %d\n", W * fator, H * fator,
                         allegro_error[0] ? ": " : "", allegro_error, f);
        estado.escalaJanela = estado.fator = f;
        estado.x = estado.y = 0;
        estado.telaCheia = false;
        return true;
    }
    return false;
}

// Xlib's answer to a request about a window that is gone: noted, not fatal.
bool erroX = false;
int anotarErro(Display*, XErrorEvent*) {
    erroX = true;
    return 0;
}

// The items of property `nome` of `janela`, of type `tipo`, copied into
// `itens` (at most `max`); how many. Under the X lock. A window that is
// gone (a window manager that quit and left its mark) has none.
int lerPropriedade(Display* d, Window janela, const char* nome, Atom tipo, unsigned long* itens, int max) {
    XSync(d, False);
    erroX = false;
    int (*anterior)(Display*, XErrorEvent*) = XSetErrorHandler(anotarErro);
    Atom tipoLido = None;
    int formato = 0;
    unsigned long n = 0, resto = 0;
    unsigned char* dados = nullptr;
    const int r = XGetWindowProperty(d, janela, XInternAtom(d, nome, False), 0, max, False, tipo, &tipoLido,
                                     &formato, &n, &resto, &dados);
    XSync(d, False);
    XSetErrorHandler(anterior);
    int lidos = 0;
    if (r == Success && !erroX && dados && tipoLido == tipo && formato == 32) {
        // Xlib hands 32-bit items over as longs.
        const auto* valores = reinterpret_cast<const unsigned long*>(dados);
        for (; lidos < static_cast<int>(n) && lidos < max; ++lidos) itens[lidos] = valores[lidos];
    }
    if (dados) XFree(dados);
    return lidos;
}

// Whether a window manager runs that takes fullscreen requests: its check
// window names itself, and it lists the fullscreen state as supported.
bool haTelaCheia() {
    Display* d = _xwin.display;
    if (!d) return false;
    XLOCK();
    const Window raiz = DefaultRootWindow(d);
    unsigned long gerente = None, propria = None;
    bool ha = lerPropriedade(d, raiz, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &gerente, 1) == 1 &&
              lerPropriedade(d, gerente, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &propria, 1) == 1 &&
              propria == gerente;
    if (ha) {
        static unsigned long suportados[1024];
        const int n = lerPropriedade(d, raiz, "_NET_SUPPORTED", XA_ATOM, suportados, 1024);
        const Atom telaCheia = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
        ha = false;
        for (int i = 0; i < n; ++i) ha = ha || suportados[i] == telaCheia;
    }
    XUNLOCK();
    return ha;
}

// Asks the window manager to put the window in fullscreen, or back.
void pedirTelaCheia(bool sim) {
    Display* d = _xwin.display;
    XLOCK();
    XEvent evento = {};
    evento.xclient.type = ClientMessage;
    evento.xclient.window = _xwin.wm_window;
    evento.xclient.message_type = XInternAtom(d, "_NET_WM_STATE", False);
    evento.xclient.format = 32;
    evento.xclient.data.l[0] = sim ? 1 : 0;  // add, remove
    evento.xclient.data.l[1] = static_cast<long>(XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False));
    evento.xclient.data.l[3] = 1;  // asked for by an application
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &evento);
    XFlush(d);
    XUNLOCK();
}

// Allegro's screen as large as the desktop, the window manager asked to
// cover the desktop with it, the picture centred at the largest factor.
bool abrirTelaCheia() {
    int largura = 0, altura = 0;
    if (get_desktop_resolution(&largura, &altura) != 0 || !abrirModo(largura, altura)) return false;
    pedirTelaCheia(true);
    estado.telaCheia = true;
    estado.fator = escala::maiorQueCabe(largura, altura);
    estado.x = (largura - W * estado.fator) / 2;
    estado.y = (altura - H * estado.fator) / 2;
    return true;
}

}  // namespace

bool Janela::abrir(const Pedido& pedido) {
    int largura = 0, altura = 0;
    if (get_desktop_resolution(&largura, &altura) != 0) largura = altura = 0;
    const escala::Escolha escolha = escala::escolher(pedido.escala, pedido.ondeEscala, largura, altura);
    if (!escolha.aviso.empty()) std::fprintf(stderr, "%s\n", escolha.aviso.c_str());
    if (!abrirJanela(escolha.fator)) return false;
    estado.logica = create_bitmap(W, H);
    if (!estado.logica) return false;
    clear_to_color(estado.logica, makecol(0, 0, 0));
    Tela::usar(estado.logica, apresentar);
    if (pedido.telaCheia) alternarTelaCheia();
    return true;
}

void Janela::fechar() {
    Tela::usar(nullptr, nullptr);
    if (estado.logica) destroy_bitmap(estado.logica);
    estado.logica = nullptr;
}

void Janela::alternarTelaCheia() {
    if (estado.telaCheia) {
        pedirTelaCheia(false);
        abrirJanela(estado.escalaJanela);
    } else if (!haTelaCheia()) {
        if (!estado.avisouSemTelaCheia)
            std::fprintf(stderr, "avesso: no window manager here offers fullscreen (_NET_WM_STATE_FULLSCREEN); "
                                 "staying in a window\n");
        estado.avisouSemTelaCheia = true;
        return;
    } else if (!abrirTelaCheia()) {
        std::fprintf(stderr, "avesso: cannot open a window as large as the desktop%s%s; staying in a window\n",
                     allegro_error[0] ? ": " : "", allegro_error);
        abrirJanela(estado.escalaJanela);
    }
    Tela::mostrar();
}

bool Janela::isTelaCheia() { return estado.telaCheia; }

int Janela::getEscala() { return estado.fator; }

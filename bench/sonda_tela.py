#!/usr/bin/env python3
"""What the player sees of the frames: the game in a real window under its
own Xvfb (1920 x 1440), one player racing level 2, read back from the X
server every 0.1 to 0.4 ms.

For each window (another build at scale 1 when given, then this build at
scale 1, 2, 3 and fullscreen under a window manager) it prints:
- how long each picture stays on the screen, over FRAMES frame changes:
  median, 10th and 90th percentile, 99th, mean, and the share within
  34 +- 3 ms;
- from a press of the flip key (X, sent through XTest) to the first picture
  on the screen in which the runner has moved: median and 99th percentile
  over PRESSES presses;
- the share of a core the game and the X server take over 10 s of the race
  while the probe looks away.

    bench/sonda_tela.py BUILD [OTHER_BUILD] [FRAMES] [PRESSES]

FRAMES 0 measures the presses alone, at scale 1.

BUILD and OTHER_BUILD are build folders holding the game and its pictures
(OTHER_BUILD's game is run at scale 1, without options: another commit,
built as the README says). Python 3 standard library only; it needs evilwm
for the fullscreen row.
"""
import ctypes
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import sessao  # noqa: E402
from sessao import ALTURA, LARGURA, Cenario, Falha, no_nivel, sobreposta  # noqa: E402

TELA = (1920, 1440)
QUADROS_CHAO = 5  # the running frames of a runner's sheet
FOLHA = "Jogo/player 2a.bmp"  # the runner the player takes: see Sonda.cores_proprias


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p),
                ("destroy_image", ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p))]


class Leitor:
    """A connection of its own to the X server: rectangles of the screen, and keys through XTest."""

    def __init__(self, display):
        x11 = self.x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                  ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
        self.d = x11.XOpenDisplay(display.encode())
        if not self.d:
            raise Falha("cannot connect to the X server")
        self.raiz = x11.XDefaultRootWindow(self.d)

    def ler(self, x, y, largura, altura):
        """The rectangle's bytes, 4 a pixel (B, G, R, unused)."""
        img = self.x11.XGetImage(self.d, self.raiz, x, y, largura, altura, 0xFFFFFFFF, 2)  # ZPixmap
        if not img:
            raise Falha("XGetImage failed")
        dados = ctypes.string_at(img.contents.data, img.contents.bytes_per_line * altura)
        img.contents.destroy_image(ctypes.cast(img, ctypes.c_void_p))
        return dados

    def tecla(self, keysym, baixo):
        codigo = self.x11.XKeysymToKeycode(self.d, keysym)
        self.xtst.XTestFakeKeyEvent(self.d, codigo, 1 if baixo else 0, 0)
        self.x11.XFlush(self.d)

    def fechar(self):
        self.x11.XCloseDisplay(self.d)


XK_X, XK_RETURN = 0x78, 0xFF0D


def percentil(v, p):
    v = sorted(v)
    return v[min(len(v) - 1, int(p * (len(v) - 1) + 0.5))]


def cpu(pid):
    """Processor time of a process, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        campos = f.read().rsplit(")", 1)[1].split()
    return (int(campos[11]) + int(campos[12])) / os.sysconf("SC_CLK_TCK")


def na_corrida(c, jogo):
    """From the menu to level 2's race, one player."""
    prompt = sobreposta(c, "enter")
    c.esperar(jogo, lambda t: sessao.estado_menu(c, t) == 1, "the main menu")
    c.apertar(jogo, "Return", lambda t: sessao.estado_selecao(c, t) == (1, 0, set()), "the selection")
    c.apertar(jogo, "Right", lambda t: sessao.estado_selecao(c, t) == (1, 1, set()), "runner 2 under the cursor")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t), "level 1's prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "level 1's race")
    c.apertar(jogo, "F10", lambda t: prompt(t) and no_nivel(c, 2, limite_linhas=480)(t), "level 2's prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 2)(t), "level 2's race")


class Sonda:
    def __init__(self, c, jogo, leitor):
        self.c, self.jogo, self.x = c, jogo, leitor
        n = jogo.escala
        self.faixa = (jogo.x, jogo.y + 240 * n, LARGURA * n, 1)  # one row across the middle of the picture

    def recomecar(self):
        """A lone runner drops out; Enter starts the rebuilt level again."""
        self.x.tecla(XK_RETURN, True)
        time.sleep(0.15)
        self.x.tecla(XK_RETURN, False)

    def intervalos(self, quantos):
        """How long each picture stays, from `quantos` changes of a row
        across the picture; a pause over 200 ms (a level being built again)
        restarts the count without adding to it."""
        saida, anterior, desde = [], None, None
        ultimo = time.monotonic()
        while len(saida) < quantos:
            agora = time.monotonic()
            linha = self.x.ler(*self.faixa)
            if linha != anterior:
                if desde is not None and agora - desde < 0.2:
                    saida.append((agora - desde) * 1000)
                anterior, desde, ultimo = linha, agora, agora
            elif agora - ultimo > 0.5:
                self.recomecar()
                ultimo, desde = time.monotonic(), None
        return saida

    def corredor(self):
        """The runner's columns and rows on the X screen, from its own colours."""
        n, jogo = self.jogo.escala, self.jogo
        tela = jogo.tela()
        cores = self.cores_proprias()
        nivel = self.c.nivel(2)
        achado = nivel.janela(tela)
        if not achado:
            return None
        pontos = [(x, y) for x, y, cor in nivel.desenhado(tela, achado[0]) if cor in cores]
        if len(pontos) < 20:
            return None
        xs, ys = [p[0] for p in pontos], [p[1] for p in pontos]
        return (jogo.x + min(xs) * n, jogo.y + min(ys) * n, (max(xs) - min(xs) + 1) * n, (max(ys) - min(ys) + 1) * n)

    def latencias(self, quantas):
        """Press X while the runner stands; ms until the picture shows it moved."""
        saida = []
        tentativas = 0
        while len(saida) < quantas and tentativas < quantas * 4:
            tentativas += 1
            caixa = self.corredor()
            if not caixa:
                self.recomecar()
                time.sleep(0.5)
                continue
            x, y, largura, altura = caixa
            margem = 12 * self.jogo.escala
            x0, y0 = max(0, x - margem), max(0, y - margem)
            # Inside the X screen: a rectangle past its edge cannot be read.
            regiao = (x0, y0, min(largura + 2 * margem, TELA[0] - x0), min(altura + 2 * margem, TELA[1] - y0))
            antes = self.x.ler(*regiao)
            time.sleep(0.1)
            if self.x.ler(*regiao) == antes:
                # The view stopped: the lone runner is out and the level
                # waits at its prompt.
                self.recomecar()
                continue
            # Standing, the runner shows only its running frames where it
            # stands: the shapes of its own colours over 20 pictures, each
            # taken from its leftmost column (it may gain a column a frame
            # on the view), are every shape a standing runner shows. A
            # runner in the air, or a picture that is not the race, shows
            # more of them.
            formas = set()
            for _ in range(20):
                formas.add(self.forma_em(regiao))
                time.sleep(0.034)
            if None in formas or len(formas) > QUADROS_CHAO:
                continue
            t0 = time.monotonic()
            self.x.tecla(XK_X, True)
            visto = None
            # Flipped: the next picture shows it a pixel away, in a frame of
            # its airborne row.
            while time.monotonic() - t0 < 0.3:
                if self.forma_em(regiao) not in formas:
                    visto = time.monotonic()
                    break
            self.x.tecla(XK_X, False)
            if visto:
                saida.append((visto - t0) * 1000)
            time.sleep(0.6)  # the runner lands on the other side
        return saida

    def forma_em(self, regiao):
        """The runner's own colours in the region: for each row, the columns
        counted from the leftmost one; None when they are not there."""
        largura = regiao[2]
        dados = self.x.ler(*regiao)
        pontos = []
        for cor in self.cores_bgr():
            i = dados.find(cor)
            while i >= 0:
                if i % 4 == 0:
                    pontos.append(divmod(i // 4, largura))
                i = dados.find(cor, i + 1)
        if not pontos:
            return None
        esquerda = min(x for _, x in pontos)
        return frozenset((y, x - esquerda) for y, x in pontos)

    def cores_proprias(self):
        """The colours of the runner's sheet that level 2's picture never
        uses: every picture shares one palette, and only these tell the
        runner from the ground it stands on. Runner 2 has three."""
        if not hasattr(self, "_proprias"):
            folha = set(self.c.figura(FOLHA).cores())
            self._proprias = sorted(folha - set(self.c.nivel(2).figura.cores()))
        return self._proprias

    def cores_bgr(self):
        if not hasattr(self, "_cores"):
            # As XGetImage gives a pixel of a 24-bit screen: B, G, R, 0.
            self._cores = [bytes((c[2], c[1], c[0], 0)) for c in self.cores_proprias()]
        return self._cores

    def uso(self, segundos, xvfb_pid):
        jogo0, x0, t0 = cpu(self.jogo.processo.pid), cpu(xvfb_pid), time.monotonic()
        time.sleep(segundos)
        t = time.monotonic() - t0
        return (cpu(self.jogo.processo.pid) - jogo0) / t * 100, (cpu(xvfb_pid) - x0) / t * 100


def medir(c, titulo, jogo, quadros, pressoes):
    jogo.abrir()
    na_corrida(c, jogo)
    leitor = Leitor(c.display)
    try:
        s = Sonda(c, jogo, leitor)
        uso_jogo, uso_x = s.uso(10, c.xvfb.pid) if quadros else (0, 0)
        iv = s.intervalos(quadros) or [0]
        lat = s.latencias(pressoes)
    finally:
        leitor.fechar()
        jogo.matar()
    dentro = sum(1 for v in iv if abs(v - 34) <= 3) / len(iv) * 100
    linha = (f"| {titulo:<22} | {statistics.median(iv):5.1f} | {percentil(iv, .1):5.1f} | {percentil(iv, .9):5.1f} "
             f"| {percentil(iv, .99):5.1f} | {statistics.mean(iv):5.1f} | {dentro:5.1f}% | ")
    linha += (f"{statistics.median(lat):5.1f} | {percentil(lat, .99):5.1f} ({len(lat)}) | " if lat else "- | - | ")
    linha += f"{uso_jogo:5.1f}% | {uso_x:5.1f}% |"
    return linha


def main():
    argumentos = sys.argv[1:]
    if not argumentos:
        sys.exit(__doc__)
    build = os.path.abspath(argumentos[0])
    outro = os.path.abspath(argumentos[1]) if len(argumentos) > 1 and not argumentos[1].isdigit() else None
    numeros = [int(a) for a in argumentos[1:] if a.isdigit()]
    quadros = numeros[0] if numeros else 1500
    pressoes = numeros[1] if len(numeros) > 1 else 40
    sys.argv = [sys.argv[0], build]
    linhas = ["| window | median | p10 | p90 | p99 | mean | within 34 +- 3 | press to flip, median | p99 (presses) "
              "| game CPU | X server CPU |", "|---|---|---|---|---|---|---|---|---|---|---|"]
    with Cenario("sonda", tela=TELA, gerenciador=True) as c:
        casos = [("other build, scale 1", outro, [], 1)] if outro else []
        casos += [("scale 1", build, [], 1)]
        if quadros:
            casos += [("scale 2", build, ["--scale", "2"], 2), ("scale 3", build, ["--scale", "3"], 3)]
        for titulo, pasta, args, escala in casos:
            # The screens are recognised by the pictures of the build that
            # shows them.
            if c.build != pasta:
                c.build, c._figuras, c._niveis = pasta, {}, {}
            jogo = c.iniciar_jogo(c.pasta_do_jogo(), argumentos=args, escala=escala)
            linhas.append(medir(c, titulo, jogo, quadros, pressoes))
            print(linhas[-1], flush=True)
        if quadros:
            c.iniciar_gerenciador()
            jogo = c.iniciar_jogo(c.pasta_do_jogo(), argumentos=["--fullscreen"], escala=3)
            linhas.append(medir(c, "fullscreen (scale 3)", jogo, quadros, pressoes))
            print(linhas[-1], flush=True)
        print("\n".join(linhas), flush=True)


if __name__ == "__main__":
    main()

"""What every end-to-end scenario shares: a private X server, the game run in
a throw-away copy of its working folder, keys held the way the game reads
them, screenshots, and the game's own pictures to compare them with.

The screen is judged against the picture files the build generated, read at
test time, so the checks follow the art as it changes: a menu is "shown"
when the window holds exactly menu.bmp with the item pictures on it.

Python 3 standard library only.
"""

import contextlib
import ctypes
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

LARGURA, ALTURA = 640, 480
ROSA = b"\xff\x00\xff"  # the mask colour Allegro's draw_sprite skips
QUIT = 9


def _ler_leiaute():
    """Where the main menu and the character selection put things, read
    from the game's own layout header: each constant a number, each array
    or piece a tuple."""
    caminho = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "dados", "Leiaute.h")
    with open(caminho) as f:
        texto = re.sub(r"//[^\n]*", "", f.read())
    valores = {}
    for nome, corpo in re.findall(r"constexpr\s+\w+\s+(\w+)(?:\[\d*\])?\s*=\s*([^;]+);", texto):
        numeros = tuple(int(n) for n in re.findall(r"-?\d+", corpo))
        valores[nome] = numeros if "{" in corpo else numeros[0]
    return valores


LEIAUTE = _ler_leiaute()


def _ler_niveis():
    """The visual picture of each level, in playing order, read from the
    game's table of levels."""
    caminho = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "dados", "Niveis.h")
    with open(caminho) as f:
        tabela = re.search(r"NIVEIS\[\]\s*=\s*\{(.*?)\n\};", f.read(), re.S).group(1)
    return [visual for _, visual in re.findall(r'\{\s*"([^"]+)",\s*"([^"]+)"', tabela)]


VISUAIS = _ler_niveis()
ITENS_MENU = {7: ("integrantes", LEIAUTE["INTEGRANTES"]), 8: ("instrucoes", LEIAUTE["INSTRUCOES"]),
              9: ("sairdojogo", LEIAUTE["SAIR"])}


class Falha(Exception):
    """A check that makes the rest of the scenario meaningless."""


# ---------------------------------------------------------------- pictures

class Figura:
    """An RGB picture, rows top-down, three bytes a pixel."""

    def __init__(self, largura, altura, rgb, indices=None, paleta=None):
        self.largura, self.altura, self.rgb = largura, altura, bytes(rgb)
        self._indices, self._paleta = indices, paleta
        self._trechos = None

    @staticmethod
    def ler(caminho):
        with open(caminho, "rb") as f:
            dados = f.read()
        if dados[:2] != b"BM":
            raise ValueError(f"{caminho}: not a BMP file")
        inicio, = struct.unpack_from("<I", dados, 10)
        info, largura, altura, _, bits, compressao = struct.unpack_from("<IiiHHI", dados, 14)
        if compressao not in (0, 3) or bits not in (8, 24, 32):
            raise ValueError(f"{caminho}: {bits}-bit BMP, compression {compressao}, not read here")
        de_cima = altura < 0
        altura = abs(altura)
        passo = (largura * bits + 31) // 32 * 4
        bpp = bits // 8
        linhas = [dados[inicio + y * passo:inicio + y * passo + largura * bpp] for y in range(altura)]
        if not de_cima:
            linhas.reverse()
        plano = b"".join(linhas)
        rgb = bytearray(largura * altura * 3)
        if bits == 8:
            usadas, = struct.unpack_from("<I", dados, 46)
            usadas = usadas or 256
            base = 14 + info
            # Allegro keeps a palette in 6 bits a channel and widens it back
            # when it converts the picture to the window's depth.
            cores = [bytes((v & 0xFC) | (v >> 6) for v in dados[base + 4 * i:base + 4 * i + 3])
                     for i in range(usadas)]
            cores += [b"\0\0\0"] * (256 - usadas)
            for canal, origem in ((0, 2), (1, 1), (2, 0)):
                tabela = bytes(c[origem] for c in cores)
                rgb[canal::3] = plano.translate(tabela)
            paleta = [bytes((c[2], c[1], c[0])) for c in cores]
            return Figura(largura, altura, rgb, plano, paleta)
        for canal, origem in ((0, 2), (1, 1), (2, 0)):
            rgb[canal::3] = plano[origem::bpp]
        return Figura(largura, altura, rgb)

    def linha(self, y, x0=0, x1=None):
        x1 = self.largura if x1 is None else x1
        base = y * self.largura
        return self.rgb[(base + x0) * 3:(base + x1) * 3]

    def pixel(self, x, y):
        i = (y * self.largura + x) * 3
        return self.rgb[i:i + 3]

    def cores(self):
        """Every colour but the mask colour."""
        if self._paleta is not None:
            usados = set(self._indices)
            return {self._paleta[i] for i in usados} - {ROSA}
        return {self.rgb[i:i + 3] for i in range(0, len(self.rgb), 3)} - {ROSA}

    def trechos(self, y):
        """Runs [x0, x1) of row y that are not the mask colour: what draw_sprite draws."""
        if self._trechos is None:
            self._trechos = []
            if self._paleta is not None:
                rosas = bytes(1 if self._paleta[i] == ROSA else 0 for i in range(256))
            for yy in range(self.altura):
                if self._paleta is not None:
                    mascara = self._indices[yy * self.largura:(yy + 1) * self.largura].translate(rosas)
                else:
                    mascara = bytes(1 if self.pixel(x, yy) == ROSA else 0 for x in range(self.largura))
                self._trechos.append([m.span() for m in re.finditer(rb"\x00+", mascara)])
        return self._trechos[y]

    def salvar_png(self, caminho):
        cru = b"".join(b"\0" + self.linha(y) for y in range(self.altura))

        def bloco(tipo, dados):
            return (struct.pack(">I", len(dados)) + tipo + dados +
                    struct.pack(">I", zlib.crc32(tipo + dados) & 0xFFFFFFFF))

        with open(caminho, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" +
                    bloco(b"IHDR", struct.pack(">IIBBBBB", self.largura, self.altura, 8, 2, 0, 0, 0)) +
                    bloco(b"IDAT", zlib.compress(cru, 6)) + bloco(b"IEND", b""))


def ler_ppm(dados):
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", dados)
    if not m or m.group(3) != b"255":
        raise Falha("the screenshot is not an 8-bit PPM")
    largura, altura = int(m.group(1)), int(m.group(2))
    return Figura(largura, altura, dados[m.end():m.end() + largura * altura * 3])


def reduzir(figura, n):
    """The picture shown n times larger, back at its own size: each n x n
    block of `figura` must be one colour, else the result is all mask
    colour, which matches no screen of the game."""
    if n == 1:
        return figura
    largura, altura = figura.largura // n, figura.altura // n
    saida = bytearray(largura * altura * 3)
    passo = 3 * n
    for y in range(altura):
        linha = figura.linha(y * n)
        canais = [linha[c::passo] for c in range(3)]
        blocos = all(figura.linha(y * n + i) == linha for i in range(1, n)) and all(
            linha[3 * j + c::passo] == canais[c] for j in range(1, n) for c in range(3))
        if not blocos:
            return Figura(largura, altura, ROSA * (largura * altura))
        base = y * largura * 3
        for c in range(3):
            saida[base + c:base + largura * 3:3] = canais[c]
    return Figura(largura, altura, saida)


def igual(tela, figura, x, y, largura=None, altura=None, fx=0, fy=0):
    """The screen's rectangle at (x, y) holds exactly the figure's from (fx, fy)."""
    largura = figura.largura - fx if largura is None else largura
    altura = figura.altura - fy if altura is None else altura
    return all(tela.linha(y + i, x, x + largura) == figura.linha(fy + i, fx, fx + largura)
               for i in range(altura))


def igual_mascarado(tela, figura, x=0, y=0):
    """The figure was drawn at (x, y) with its mask colour left out."""
    for i in range(figura.altura):
        for a, b in figura.trechos(i):
            if tela.linha(y + i, x + a, x + b) != figura.linha(i, a, b):
                return False
    return True


def preto(tela, x, y, largura, altura):
    vazio = b"\0" * (largura * 3)
    return all(tela.linha(y + i, x, x + largura) == vazio for i in range(altura))


class Nivel:
    """A level picture, for finding which part of it the window shows and
    what is drawn over it (the runners: the speed columns and the finish
    line are invisible)."""

    def __init__(self, caminho):
        self.figura = Figura.ler(caminho)
        self.nome = os.path.basename(caminho)

    def _linhas_diferentes(self, tela, gx):
        f = self.figura
        return sum(tela.linha(y) != f.linha(y, gx, gx + LARGURA) for y in range(ALTURA))

    def _encaixes(self, tela, y, a, b):
        """Intervals of gx within [a, b] at which row y of the screen is the
        level's row y whole: [] when there is none (the row holds a
        runner), None when there are too many to be worth listing (a
        pattern that repeats along the level)."""
        f = self.figura
        t = tela.linha(y)
        if a == b:
            return [(a, a)] if t == f.linha(y, a, a + LARGURA) else []
        if t == t[:3] * LARGURA and f._paleta is not None:
            # One colour across: wherever the level has a long enough run of it.
            indices = bytes(i for i in range(256) if f._paleta[i] == t[:3])
            if not indices:
                return []
            classe = b"[" + b"".join(re.escape(bytes([i])) for i in indices) + b"]"
            base = y * f.largura
            trecho = f._indices[base + a:base + b + LARGURA]
            return [(a + m.start(), a + m.end() - LARGURA)
                    for m in re.finditer(classe + b"{%d,}" % LARGURA, trecho)]
        inicio = y * f.largura * 3
        achados, de, fim = [], inicio + a * 3, inicio + (b + LARGURA) * 3
        while True:
            i = f.rgb.find(t, de, fim)
            if i < 0:
                return achados
            if (i - inicio) % 3 == 0:
                gx = (i - inicio) // 3
                achados.append((gx, gx))
                if len(achados) > 3000:
                    return None
            de = i + 1

    def janela(self, tela):
        """(gx, differing rows): the level column at the window's left edge
        that explains the screen best, or None when no part of the level
        does. Rows without runners each allow some gx; every gx they all
        allow shows those rows alike, and the rows with runners pick among
        them."""
        f = self.figura
        possiveis = [(0, f.largura - LARGURA)]
        restringiu = False
        for y in range(0, ALTURA, 4):
            juntos = []
            for a, b in possiveis:
                encaixes = self._encaixes(tela, y, a, b)
                if encaixes is None:
                    break
                juntos += encaixes
            else:
                # No fit at all: a runner's row, which tells nothing.
                if juntos:
                    possiveis, restringiu = juntos, True
        if not restringiu:
            return None
        candidatos = set()
        for a, b in possiveis[:20]:
            candidatos.update((a, b, (a + b) // 2))
            if b - a > 8:
                candidatos.update(range(a, b + 1, max(1, (b - a) // 8)))
        pontos = sorted((self._linhas_diferentes(tela, gx), gx) for gx in candidatos)
        n, gx = pontos[0]
        return gx, n

    def desenhado(self, tela, gx):
        """Pixels (x, y, colour) where the screen is not the level."""
        f = self.figura
        saida = []
        for y in range(ALTURA):
            t, l = tela.linha(y), f.linha(y, gx, gx + LARGURA)
            if t == l:
                continue
            for x in range(LARGURA):
                if t[3 * x:3 * x + 3] != l[3 * x:3 * x + 3]:
                    saida.append((x, y, t[3 * x:3 * x + 3]))
        return saida


# ---------------------------------------------------------------- the run

def _morrer_com_o_pai():
    # Children die with the test, even when CTest kills it on a timeout.
    try:
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG
    except OSError:
        pass
    os.setsid()


# Allegro's ALSA driver writes what the game plays to a file instead of a
# sound card: silent on a developer's machine, and something to measure.
ASOUNDRC = """pcm.!default {{ type plug; slave {{ pcm "cap"; format S16_LE }} }}
pcm.cap {{ type file; slave.pcm "null"; file "{wav}"; format "wav" }}
ctl.!default {{ type hw card 0 }}
"""
# A sound device that cannot be opened: no such card.
SEM_SOM = """pcm.!default { type hw card 7 }
ctl.!default { type hw card 7 }
"""


def _conectar(display):
    """libX11 and a connection to `display`, for what xdotool does not do."""
    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    conexao = x11.XOpenDisplay(display.encode())
    if not conexao:
        raise Falha(f"cannot connect to the X server on {display}")
    return x11, conexao


def _sem_repeticao(display):
    """Turns key auto-repeat off in the X server: a key held until the game
    shows it saw it must arrive as one press, however long that takes."""
    class Controle(ctypes.Structure):  # XKeyboardControl
        _fields_ = [(n, ctypes.c_int) for n in ("key_click_percent", "bell_percent", "bell_pitch",
                                                 "bell_duration", "led", "led_mode", "key", "auto_repeat_mode")]
    x11, conexao = _conectar(display)
    x11.XChangeKeyboardControl.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Controle)]
    controle = Controle(auto_repeat_mode=0)  # AutoRepeatModeOff
    x11.XChangeKeyboardControl(conexao, 1 << 7, ctypes.byref(controle))  # KBAutoRepeatMode
    x11.XCloseDisplay(conexao)  # the server keeps the setting


def _tem_gerenciador(display):
    """Whether a window manager has put its EWMH mark on the root window."""
    try:
        x11, conexao = _conectar(display)
    except Falha:
        return False
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                       ctypes.c_int, ctypes.c_ulong] + [ctypes.c_void_p] * 5
    x11.XFree.argtypes = [ctypes.c_void_p]
    tipo, formato, n, resto, dados = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    x11.XGetWindowProperty(conexao, x11.XDefaultRootWindow(conexao),
                           x11.XInternAtom(conexao, b"_NET_SUPPORTING_WM_CHECK", 0), 0, 1, 0, 0,
                           ctypes.byref(tipo), ctypes.byref(formato), ctypes.byref(n), ctypes.byref(resto),
                           ctypes.byref(dados))
    if dados:
        x11.XFree(dados)
    x11.XCloseDisplay(conexao)
    return n.value == 1


class _EventoTecla(ctypes.Structure):
    """XKeyEvent, padded to the size of an XEvent."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("root", ctypes.c_ulong),
                ("subwindow", ctypes.c_ulong), ("time", ctypes.c_ulong), ("x", ctypes.c_int), ("y", ctypes.c_int),
                ("x_root", ctypes.c_int), ("y_root", ctypes.c_int), ("state", ctypes.c_uint),
                ("keycode", ctypes.c_uint), ("same_screen", ctypes.c_int), ("resto", ctypes.c_long * 12)]


class Cenario:
    """One scenario: an X server of its own and a scratch folder, both gone
    at the end whichever way it ends; soft checks collected along the way."""

    def __init__(self, nome, repeticao=False, tela=(LARGURA, ALTURA), gerenciador=False):
        """`repeticao`: keep the X server's key auto-repeat, which is off
        unless a scenario is about it. `tela`: the X screen's size.
        `gerenciador`: the scenario starts a small window manager (evilwm)
        at some point (iniciar_gerenciador), for fullscreen."""
        if len(sys.argv) < 2:
            sys.exit(f"usage: {sys.argv[0]} <build dir>")
        self.nome = nome
        self.repeticao = repeticao
        self.tamanho_tela = tela
        self.gerenciador = gerenciador
        self.wm = None
        self.build = os.path.abspath(sys.argv[1])
        self.t0 = time.monotonic()
        self.falhas = []
        self.verificacoes = 0
        self.jogos = []
        self.xvfb = None
        self.temp = tempfile.mkdtemp(prefix=f"avesso-e2e-{nome}-")
        self.pasta_falhas = os.path.join(self.build, "tests", "e2e", "falhas")
        self._figuras = {}
        self._niveis = {}

    def __enter__(self):
        for s in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            signal.signal(s, self._sinal)
        if not os.path.exists(os.path.join(self.build, "avesso")):
            raise Falha(f"{self.build}/avesso is not built")
        faltam = [p for p in ("Xvfb", "xdotool", "import", "sox") + (("evilwm",) if self.gerenciador else ())
                  if not shutil.which(p)]
        if faltam:
            raise Falha(f"missing {', '.join(faltam)}: scripts/dependencias.sh testes installs them")
        self._iniciar_x()
        return self

    def _sinal(self, numero, _):
        raise SystemExit(f"stopped by signal {numero}")

    def __exit__(self, tipo, valor, _tb):
        for jogo in self.jogos:
            jogo.matar()
        if self.wm:
            self.wm.kill()
            self.wm.wait()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        shutil.rmtree(self.temp, ignore_errors=True)
        if tipo is Falha:
            self.falhas.append(str(valor))
        elif tipo is not None and tipo is not SystemExit:
            return False
        self.log(f"{self.verificacoes} checks, {len(self.falhas)} failing")
        for f in self.falhas:
            print(f"FAILED: {f}", flush=True)
        sys.exit(1 if self.falhas or tipo is not None else 0)

    def log(self, texto):
        print(f"[{time.monotonic() - self.t0:6.1f}s] {texto}", flush=True)

    def verificar(self, condicao, texto, detalhe="", tela=None):
        """A check whose failure leaves the rest of the scenario worth running."""
        self.verificacoes += 1
        if condicao:
            self.log(f"ok: {texto}")
        else:
            texto = f"{texto} ({detalhe})" if detalhe else texto
            self.log(f"FAIL: {texto}")
            self.falhas.append(texto)
            if tela is not None:
                self.guardar(tela, texto)
        return condicao

    def guardar(self, tela, texto):
        os.makedirs(self.pasta_falhas, exist_ok=True)
        nome = re.sub(r"[^A-Za-z0-9]+", "_", texto)[:60]
        caminho = os.path.join(self.pasta_falhas, f"{self.nome}-{len(self.falhas)}-{nome}.png")
        tela.salvar_png(caminho)
        self.log(f"  screen saved as {caminho}")

    def _iniciar_x(self):
        leitura, escrita = os.pipe()
        # -displayfd: a free display number, never the lead's :99. -noreset:
        # a game started right after another one ended must not find the
        # server resetting, which refuses it.
        largura, altura = self.tamanho_tela
        # The window manager's one font, built into the server.
        fontes = ["-fp", "built-ins"] if self.gerenciador else []
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(escrita), "-screen", "0", f"{largura}x{altura}x24",
             "-nolisten", "tcp", "-noreset", *fontes],
            pass_fds=(escrita,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=_morrer_com_o_pai)
        os.close(escrita)
        numero = b""
        with os.fdopen(leitura, "rb") as f:
            numero = f.readline().strip()
        if not numero:
            raise Falha("Xvfb did not start")
        self.display = f":{numero.decode()}"
        self.log(f"X server on {self.display}")
        if not self.repeticao:
            _sem_repeticao(self.display)

    def iniciar_gerenciador(self):
        """Starts evilwm, a small EWMH window manager, and waits for its mark."""
        self.wm = subprocess.Popen(["evilwm", "-fn", "fixed"], env=dict(os.environ, DISPLAY=self.display),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, preexec_fn=_morrer_com_o_pai)
        limite = time.monotonic() + 20
        while not _tem_gerenciador(self.display):
            if self.wm.poll() is not None or time.monotonic() > limite:
                raise Falha("the window manager did not start")
            time.sleep(0.05)

    # The game's pictures, as the build generated them.
    def figura(self, nome):
        if nome not in self._figuras:
            self._figuras[nome] = Figura.ler(os.path.join(self.build, "src", "Img", nome))
        return self._figuras[nome]

    def menu(self, nome):
        return self.figura(f"menu/{nome}.bmp")

    def nivel(self, numero, figura=None):
        """Level `numero` (from 1) of the game's table, or, given `figura`,
        the level whose visual picture that file is, played as `numero`."""
        if figura:
            self._niveis[numero] = Nivel(figura)
        if numero not in self._niveis:
            self._niveis[numero] = Nivel(os.path.join(self.build, VISUAIS[numero - 1]))
        return self._niveis[numero]

    def pasta_do_jogo(self, sem=(), trocados=None):
        """A working folder that mirrors the build's game files, file by file,
        without the files in `sem`, and with each file of `trocados` (path:
        function of the original bytes) replaced by what the function
        gives. Paths are relative to the game's folder."""
        pasta = tempfile.mkdtemp(dir=self.temp, prefix="jogo-")
        for topo in ("src", "sons"):
            for raiz, _, arquivos in os.walk(os.path.join(self.build, topo)):
                destino = os.path.join(pasta, os.path.relpath(raiz, self.build))
                os.makedirs(destino, exist_ok=True)
                for a in arquivos:
                    os.symlink(os.path.join(raiz, a), os.path.join(destino, a))
        for a in ("principal1.mid", "freepats", "niveis"):
            if os.path.exists(os.path.join(self.build, a)):
                os.symlink(os.path.join(self.build, a), os.path.join(pasta, a))
        for rel in sem:
            os.remove(os.path.join(pasta, rel))
        for rel, trocar in (trocados or {}).items():
            with open(os.path.join(self.build, rel), "rb") as f:
                dados = trocar(f.read())
            os.remove(os.path.join(pasta, rel))
            with open(os.path.join(pasta, rel), "wb") as f:
                f.write(dados)
        return pasta

    def iniciar_jogo(self, pasta=None, saida=None, argumentos=(), escala=1, som=True):
        """`saida`: the game's standard output, a file of the scenario when
        None, else a descriptor, or "fechada" for none at all. `escala`: the
        factor the window is expected at (see Jogo.tela). `som`: False gives
        the game a sound device it cannot open."""
        jogo = Jogo(self, pasta or self.pasta_do_jogo(), saida, argumentos, escala, som)
        self.jogos.append(jogo)
        return jogo

    def esperar(self, jogo, condicao, texto, timeout=20.0):
        """Screenshots until `condicao(tela)` holds; a Falha after `timeout` s,
        a bound for a starved machine, not a measure of the game."""
        limite = time.monotonic() + timeout
        tela = None
        while True:
            if jogo.terminou():
                raise Falha(f"{texto}: the game ended (code {jogo.codigo()})\n{jogo.erros()}")
            tela = jogo.tela()
            resultado = condicao(tela)
            if resultado:
                self.verificacoes += 1
                self.log(f"ok: {texto}")
                return tela, resultado
            if time.monotonic() > limite:
                self.guardar(tela, texto)
                raise Falha(f"{texto}: not seen within {timeout:.0f} s")
            time.sleep(0.1)

    def apertar(self, jogo, teclas, condicao, texto, timeout=20.0):
        """Holds `teclas` (a key name, or several pressed in order) until the
        game shows it saw them: `condicao(tela)` holds. Returns what
        `esperar` returns."""
        with jogo.segurando(*([teclas] if isinstance(teclas, str) else teclas)):
            return self.esperar(jogo, condicao, texto, timeout)


class Jogo:
    """The game running in a working folder, its output kept in files."""

    def __init__(self, cenario, pasta, saida=None, argumentos=(), escala=1, som=True):
        self.cenario = cenario
        self.escala = escala
        self.pasta = pasta
        casa = os.path.join(pasta, "home")
        os.makedirs(casa, exist_ok=True)
        self.wav = os.path.join(casa, "captura.wav")
        with open(os.path.join(casa, ".asoundrc"), "w") as f:
            f.write(ASOUNDRC.format(wav=self.wav) if som else SEM_SOM)
        self.saida_arq = os.path.join(casa, "stdout.txt")
        self.erro_arq = os.path.join(casa, "stderr.txt")
        # A home of its own: no player's avesso.cfg changes the keys here.
        env = dict(os.environ, DISPLAY=cenario.display, HOME=casa, XDG_CONFIG_HOME=os.path.join(casa, ".config"))
        def preparar():
            _morrer_com_o_pai()
            if saida == "fechada":
                os.close(1)

        with open(self.saida_arq, "wb") as arquivo, open(self.erro_arq, "wb") as erro:
            self.processo = subprocess.Popen([os.path.join(cenario.build, "avesso"), *argumentos], cwd=pasta, env=env,
                                             stdin=subprocess.DEVNULL,
                                             stdout=arquivo if saida in (None, "fechada") else saida,
                                             stderr=erro, preexec_fn=preparar)
        self.env = env
        self.janela = None
        self.x = self.y = 0

    def xdotool(self, *args, timeout=10):
        r = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=timeout)
        return r.stdout

    def abrir(self, timeout=20.0):
        """Waits for the window with its title and its final size (Allegro
        first opens a 320 x 200 one), then puts the pointer over it so keys
        reach the game."""
        limite = time.monotonic() + timeout
        while True:
            if self.terminou():
                raise Falha(f"the game ended before opening its window (code {self.codigo()})\n{self.erros()}")
            for janela in self.xdotool("search", "--name", "^AVESSO$").split():
                geo = self.xdotool("getwindowgeometry", "--shell", janela)
                valores = dict(l.split("=", 1) for l in geo.split() if "=" in l)
                tamanho = (str(LARGURA * self.escala), str(ALTURA * self.escala))
                if (valores.get("WIDTH"), valores.get("HEIGHT")) == tamanho:
                    self.janela = janela
                    self.x, self.y = int(valores.get("X", 0)), int(valores.get("Y", 0))
                    self.xdotool("mousemove", "--window", self.janela, "320", "240")
                    return
            if time.monotonic() > limite:
                raise Falha(f"no {LARGURA * self.escala}x{ALTURA * self.escala} AVESSO window appeared")
            time.sleep(0.1)

    @contextlib.contextmanager
    def segurando(self, *teclas):
        """Keeps `teclas` down, pressed in order, for the block's duration.
        The game polls key[], so only a key held until it is seen is surely
        seen; with auto-repeat off a held key is still one press."""
        apertadas = []
        try:
            for t in teclas:
                self.xdotool("keydown", t)
                apertadas.append(t)
            yield
        finally:
            for t in reversed(apertadas):
                self.xdotool("keyup", t)

    def geometria(self):
        """(x, y, width, height) of the game's window now."""
        geo = self.xdotool("getwindowgeometry", "--shell", self.janela)
        v = dict(l.split("=", 1) for l in geo.split() if "=" in l)
        return tuple(int(v.get(k, -1)) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def repeticoes(self, tecla, quantas=2, timeout=20.0):
        """Waits until X has sent the game `quantas` auto-repeats of `tecla`,
        held down since before the call. X hands a window's events over in
        order, so whatever a key pressed afterwards shows on screen, the game
        read these repeats first. Listening beside Allegro, on its window and
        the child it also listens on, takes nothing from it."""
        x11, conexao = _conectar(self.env["DISPLAY"])
        try:
            x11.XStringToKeysym.restype = ctypes.c_ulong
            x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
            x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 4
            x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
            x11.XFree.argtypes = x11.XPending.argtypes = [ctypes.c_void_p]
            x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_EventoTecla)]
            codigo = x11.XKeysymToKeycode(conexao, x11.XStringToKeysym(tecla.encode()))
            janelas = [int(self.janela)]
            for janela in janelas:
                x11.XSelectInput(conexao, janela, 1)  # KeyPressMask
                raiz, pai, n = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_uint()
                filhos = ctypes.POINTER(ctypes.c_ulong)()
                if x11.XQueryTree(conexao, janela, ctypes.byref(raiz), ctypes.byref(pai), ctypes.byref(filhos),
                                  ctypes.byref(n)) and filhos:
                    janelas += filhos[:n.value]
                    x11.XFree(filhos)
            evento, vistas = _EventoTecla(), 0
            limite = time.monotonic() + timeout
            while vistas < quantas:
                if self.terminou():
                    raise Falha(f"the game ended while {tecla} was held (code {self.codigo()})\n{self.erros()}")
                if time.monotonic() > limite:
                    raise Falha(f"the X server sent no auto-repeat of {tecla} within {timeout:.0f} s")
                while x11.XPending(conexao):  # also sends the requests above
                    x11.XNextEvent(conexao, ctypes.byref(evento))
                    vistas += evento.type == 2 and evento.keycode == codigo  # KeyPress
                time.sleep(0.01)
        finally:
            x11.XCloseDisplay(conexao)

    def tela(self, x=None, y=None, largura=None, altura=None):
        """The picture at (self.x, self.y), LARGURA x ALTURA enlarged
        self.escala times, reduced back to LARGURA x ALTURA; or, given a
        rectangle, that rectangle of the X screen as it is."""
        if largura is None:
            x, y, largura, altura = self.x, self.y, LARGURA * self.escala, ALTURA * self.escala
        r = subprocess.run(["import", "-window", "root", "-crop", f"{largura}x{altura}+{x}+{y}",
                            "+repage", "-depth", "8", "ppm:-"], env=self.env, capture_output=True, timeout=20)
        if r.returncode != 0:
            raise Falha(f"screenshot failed: {r.stderr.decode(errors='replace')}")
        figura = ler_ppm(r.stdout)
        return reduzir(figura, self.escala) if largura == LARGURA * self.escala else figura

    def terminou(self):
        return self.processo.poll() is not None

    def codigo(self):
        return self.processo.poll()

    def esperar_fim(self, timeout=20.0):
        try:
            return self.processo.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Falha(f"the game did not end within {timeout:.0f} s")

    def saida(self):
        with open(self.saida_arq, encoding="utf-8", errors="replace") as f:
            return f.read()

    def erros(self):
        """Standard error, whole: the sound library's complaints about a
        missing card are the game's to keep quiet."""
        with open(self.erro_arq, encoding="utf-8", errors="replace") as f:
            return f.read()

    def matar(self):
        if self.processo.poll() is None:
            os.killpg(self.processo.pid, signal.SIGKILL)
            self.processo.wait()


# ---------------------------------------------------------------- screens

def estado_menu(c, tela, fundo=True):
    """The highlighted item of the main menu (1..6 the digits, 7 credits,
    8 rules, 9 quit), or None when the screen is not exactly the menu.
    `fundo`: whether menu.bmp is there to be drawn (else black)."""
    m = c.menu("menu")
    if fundo:
        if not igual(tela, m, 0, 0, LARGURA, 290):
            return None
    elif not preto(tela, 0, 0, LARGURA, 290):
        return None
    L = LEIAUTE
    destacados = []
    for d in range(6):
        normal, claro = c.menu(f"img{d + 1}"), c.menu(f"img{d + 1}_2")
        x = L["X_ALGARISMO_MENU"][d]
        if igual(tela, claro, x, L["LINHA_JOGADORES"], altura=L["ALTURA_ITEM"]):
            destacados.append(d + 1)
        elif not igual(tela, normal, x, L["LINHA_JOGADORES"], altura=L["ALTURA_ITEM"]):
            return None
    for item, (nome, (x, y, _, altura)) in ITENS_MENU.items():
        if igual(tela, c.menu(f"{nome}_2"), x, y, altura=altura):
            destacados.append(item)
        elif not igual(tela, c.menu(nome), x, y, altura=altura):
            return None
    rotulo = c.menu("chooseplayer_2" if destacados and destacados[0] <= 6 else "chooseplayer")
    if len(destacados) != 1 or not igual(tela, rotulo, *L["ROTULO_JOGADORES"]):
        return None
    return destacados[0]


def tela_cheia(c, nome):
    """A 640 x 480 picture copied whole to the screen (credits, rules, pause)."""
    figura = c.menu(nome)
    return lambda tela: igual(tela, figura, 0, 0, LARGURA, ALTURA)


def sobreposta(c, nome):
    """A picture drawn over the screen with its mask colour left out."""
    figura = c.menu(nome)
    return lambda tela: igual_mascarado(tela, figura)


def estado_selecao(c, tela):
    """(player choosing from 1, slot of their cursor from 0, taken slots), or
    None when the screen is not the character selection."""
    if not igual(tela, c.menu("bg_selecao"), 0, 0, LARGURA, 290):
        return None
    L = LEIAUTE
    jogador = None
    for p in range(1, 7):
        if igual(tela, c.menu(f"img{p}"), L["ALGARISMO_SELECAO_X"], L["LINHA_JOGADORES"], altura=L["ALTURA_ITEM"]):
            jogador = p
            break
    if jogador is None:
        return None
    moldura = c.menu(f"sel_{jogador}")
    # The frame's top edge shows above the thumbnail.
    cursores = [k for k in range(6) if igual(tela, moldura, L["SLOT_X"] + L["SLOT_PASSO"] * k, L["SLOT_Y"],
                                             L["SLOT_LADO"], L["MINIATURA_MARGEM"])]
    tomados = set()
    lado = L["MINIATURA_LADO"]
    for k in range(6):
        x, y = L["SLOT_X"] + L["MINIATURA_MARGEM"] + L["SLOT_PASSO"] * k, L["SLOT_Y"] + L["MINIATURA_MARGEM"]
        if igual(tela, c.menu(f"sel_j{k + 1}_2"), x, y, lado, lado):
            tomados.add(k)
        elif not igual(tela, c.menu(f"sel_j{k + 1}"), x, y, lado, lado):
            return None
    if len(cursores) != 1:
        return None
    return jogador, cursores[0], tomados


def corredores(c, numero, folhas, limite_linhas=200):
    """The race of level `numero` with every runner in view: returns (gx,
    [mean row of each runner]). Runner i is told apart by the colours of
    its sheet `folhas[i]` that no other sheet has."""
    cores = [c.figura(f"Jogo/{f}").cores() for f in folhas]
    proprias = []
    for i, minhas in enumerate(cores):
        outras = set().union(*(cores[j] for j in range(len(cores)) if j != i))
        if not minhas - outras:
            raise Falha(f"{folhas[i]} has no colour of its own to find it by")
        proprias.append(minhas - outras)
    nivel = c.nivel(numero)

    def condicao(tela):
        achado = nivel.janela(tela)
        if not achado or achado[1] > limite_linhas:
            return None
        desenho = nivel.desenhado(tela, achado[0])
        medias = []
        for p in proprias:
            linhas = [y for _, y, cor in desenho if cor in p]
            if len(linhas) < 20:  # out of view, or behind the edge
                return None
            medias.append(sum(linhas) / len(linhas))
        return achado[0], medias
    return condicao


def no_nivel(c, numero, limite_linhas=200):
    """The race of level `numero` on screen: returns (gx, differing rows).
    Runners cover fewer rows than `limite_linhas`; a torn screenshot or
    another picture covers more."""
    def condicao(tela):
        achado = c.nivel(numero).janela(tela)
        if achado and achado[1] <= limite_linhas:
            # No other level explains the screen as well.
            for outro in range(1, len(VISUAIS) + 1):
                if outro != numero:
                    explica = c.nivel(outro).janela(tela)
                    if explica and explica[1] <= achado[1]:
                        return None
            return achado
        return None
    return condicao

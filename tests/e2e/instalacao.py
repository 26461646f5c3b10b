#!/usr/bin/env python3
"""The game installed the usual way: `cmake --install` into a temporary
prefix (DESTDIR), so the tree is both staged and away from where it was
configured to live. The installed data is the build's, byte for byte; the
menu entry and the icons are there. Started from another folder, the
installed game finds its data from its own place, shows the main menu with
its pictures and plays its music. Without data it says where it looked in
one line and exits 1 before opening any window.

    instalacao.py <build dir> [cmake]
"""
import array
import filecmp
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from sessao import Cenario, Falha, Jogo, estado_menu

PREFIXO = "/usr"


class Instalado:
    """The scenario as the harness's Jogo sees it, with the installed
    program's folder in place of the build's."""

    def __init__(self, cenario, pasta_programa):
        self._cenario = cenario
        self.build = pasta_programa

    def __getattr__(self, nome):
        return getattr(self._cenario, nome)


def arquivos(pasta):
    return sorted(os.path.relpath(os.path.join(r, a), pasta) for r, _, nomes in os.walk(pasta) for a in nomes)


def ler_png(caminho):
    """(width, height, RGBA rows) of a non-interlaced 8-bit RGBA PNG whose
    rows are unfiltered, as the painter writes them; a Falha otherwise."""
    with open(caminho, "rb") as f:
        dados = f.read()
    if dados[:8] != b"\x89PNG\r\n\x1a\n":
        raise Falha(f"{caminho}: not a PNG file")
    i, idat, ihdr = 8, b"", None
    while i < len(dados):
        n, = struct.unpack_from(">I", dados, i)
        tipo, corpo = dados[i + 4:i + 8], dados[i + 8:i + 8 + n]
        crc, = struct.unpack_from(">I", dados, i + 8 + n)
        if zlib.crc32(tipo + corpo) & 0xFFFFFFFF != crc:
            raise Falha(f"{caminho}: bad CRC in its {tipo.decode()} chunk")
        if tipo == b"IHDR":
            ihdr = struct.unpack(">IIBBBBB", corpo)
        elif tipo == b"IDAT":
            idat += corpo
        i += 12 + n
    if not ihdr or ihdr[2:] != (8, 6, 0, 0, 0):
        raise Falha(f"{caminho}: header {ihdr}, not 8-bit RGBA")
    largura, altura = ihdr[:2]
    cru = zlib.decompress(idat)
    passo = 1 + 4 * largura
    if len(cru) != passo * altura or any(cru[y * passo] for y in range(altura)):
        raise Falha(f"{caminho}: image data of the wrong size or filtered")
    return largura, altura, [cru[y * passo + 1:(y + 1) * passo] for y in range(altura)]


def pico_wav(caminho):
    """Loudest sample so far (0..1) of the 16-bit WAV the game is writing."""
    try:
        with open(caminho, "rb") as f:
            dados = f.read()
    except FileNotFoundError:
        return 0.0
    amostras = array.array("h", dados[44:len(dados) - len(dados) % 2])
    return max((abs(a) for a in amostras), default=0) / 32768


def sem_janela(comando, pasta, **env):
    """Runs the program with no display at all: whatever it says, it must
    say it before it tries to open a window."""
    ambiente = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "AVESSO_DADOS")}
    ambiente.update(env)
    return subprocess.run(comando, cwd=pasta, env=ambiente, capture_output=True, text=True, timeout=20)


with Cenario("instalacao") as c:
    os.environ.pop("AVESSO_DADOS", None)
    cmake = sys.argv[2] if len(sys.argv) > 2 else "cmake"
    raiz = os.path.join(c.temp, "destdir")
    r = subprocess.run([cmake, "--install", c.build, "--prefix", PREFIXO], env=dict(os.environ, DESTDIR=raiz),
                       capture_output=True, text=True, timeout=120)
    if r.returncode != 0:
        raise Falha(f"cmake --install failed:\n{r.stdout}{r.stderr}")
    usr = raiz + PREFIXO
    programa = os.path.join(usr, "games", "avesso")
    dados = os.path.join(usr, "share", "games", "avesso")

    c.verificar(os.access(programa, os.X_OK), "the program is in <prefix>/games")
    figuras = arquivos(os.path.join(c.build, "src"))
    instaladas = arquivos(os.path.join(dados, "src"))
    c.verificar(figuras and instaladas == figuras, "the data folder holds exactly the build's pictures, src/Img/...",
                f"missing {sorted(set(figuras) - set(instaladas))}, extra {sorted(set(instaladas) - set(figuras))}")
    iguais = all(filecmp.cmp(os.path.join(c.build, "src", a), os.path.join(dados, "src", a), shallow=False)
                 for a in set(figuras) & set(instaladas))
    c.verificar(iguais, "byte for byte")
    c.verificar(filecmp.cmp(os.path.join(c.build, "principal1.mid"), os.path.join(dados, "principal1.mid"),
                            shallow=False), "and the music, principal1.mid")
    sons = arquivos(os.path.join(c.build, "sons"))
    c.verificar(sons and arquivos(os.path.join(dados, "sons")) == sons and
                all(filecmp.cmp(os.path.join(c.build, "sons", a), os.path.join(dados, "sons", a), shallow=False)
                    for a in sons), "and the sound effects, sons/*.wav")
    # Links into the system's freepats, which the package depends on.
    for nome in ("default.cfg", "Tone_000", "Drum_000"):
        caminho = os.path.join(dados, "freepats", nome)
        c.verificar(os.path.islink(caminho) and os.path.exists(caminho),
                    f"freepats/{nome} links to the system's patches",
                    os.readlink(caminho) if os.path.islink(caminho) else "not a link")

    menu = os.path.join(usr, "share", "applications", "avesso.desktop")
    grupos, grupo = {}, None
    with open(menu, encoding="utf-8") as f:
        for linha in f.read().splitlines():
            if linha.startswith("["):
                grupo = grupos.setdefault(linha.strip("[]"), {})
            elif "=" in linha and grupo is not None:
                grupo.update([linha.split("=", 1)])
    entrada = grupos.get("Desktop Entry", {})
    c.verificar(entrada.get("Exec") == PREFIXO + "/games/avesso --scale auto" and entrada.get("Icon") == "avesso"
                and entrada.get("Type") == "Application" and "Game" in entrada.get("Categories", "").split(";"),
                "the menu entry starts the installed program, under the game category, with its icon", str(entrada))
    acao = grupos.get("Desktop Action fresh", {})
    c.verificar(entrada.get("Actions") == "fresh;" and acao.get("Name") == "Fresh levels"
                and acao.get("Exec") == PREFIXO + "/games/avesso --scale auto --seed random",
                "its action Fresh levels starts the game with --seed random", str(grupos))
    validacao = subprocess.run(["desktop-file-validate", menu], capture_output=True, text=True)
    c.verificar(validacao.returncode == 0 and not validacao.stdout.strip(), "desktop-file-validate accepts it",
                validacao.stdout + validacao.stderr)
    c.verificar(os.access(os.path.join(usr, "games", "avesso-levels"), os.X_OK), "avesso-levels is beside the game")
    icones = {}
    for lado in (64, 128, 256):
        largura, altura, linhas = ler_png(os.path.join(usr, "share", "icons", "hicolor", f"{lado}x{lado}", "apps",
                                                       "avesso.png"))
        c.verificar((largura, altura) == (lado, lado), f"the {lado}x{lado} icon is {lado} pixels square",
                    f"{largura}x{altura}")
        icones[lado] = linhas
    base = icones[64]
    c.verificar(base[0][3] == 0 and base[32][32 * 4 + 3] == 255,
                "the icon is a tile: corners transparent, middle opaque")
    for lado in (128, 256):
        f = lado // 64
        ampliado = [b"".join(l[x * 4:x * 4 + 4] * f for x in range(64)) for l in base for _ in range(f)]
        c.verificar(icones[lado] == ampliado, f"the {lado} pixel icon is the 64 pixel one, {f} times larger")

    # Nowhere to find the data: the program alone in a folder, started from
    # an empty one.
    vazia = tempfile.mkdtemp(dir=c.temp, prefix="vazia-")
    sozinho = os.path.join(c.temp, "sozinho")
    os.makedirs(sozinho)
    shutil.copy(programa, sozinho)
    r = sem_janela([os.path.join(sozinho, "avesso")], vazia)
    lugares = [os.path.realpath(p) for p in (vazia, os.path.join(c.temp, "share", "games", "avesso"), sozinho)]
    c.verificar(r.returncode == 1 and r.stderr.count("\n") == 1 and all(p in r.stderr for p in lugares),
                "without data anywhere: exit 1 and one line naming the three places searched",
                f"code {r.returncode}, {r.stderr!r}, places {lugares}")
    r = sem_janela([programa], vazia, AVESSO_DADOS=vazia)
    c.verificar(r.returncode == 1 and r.stderr.count("\n") == 1 and os.path.realpath(vazia) in r.stderr
                and "AVESSO_DADOS" in r.stderr,
                "AVESSO_DADOS naming a folder without data: exit 1, one line naming it (not the installed data)",
                f"code {r.returncode}, {r.stderr!r}")
    r = sem_janela([programa, "--fast"], vazia)
    c.verificar(r.returncode == 2 and "usage: avesso [--data DIR]" in r.stderr,
                "an unknown option: exit 2 and the usage line", f"code {r.returncode}, {r.stderr!r}")

    # The installed game from another folder, as a menu entry starts it.
    jogo = Jogo(Instalado(c, os.path.dirname(programa)), vazia)
    c.jogos.append(jogo)
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "started from another folder, the main menu shows its pictures")
    # The music through the installed links to the patches: Allegro's
    # synthesizer plays nothing without them.
    limite = time.monotonic() + 20
    while pico_wav(jogo.wav) < 0.05 and time.monotonic() < limite and not jogo.terminou():
        time.sleep(0.2)
    c.verificar(pico_wav(jogo.wav) >= 0.05, "and plays its music", f"peak {pico_wav(jogo.wav):.3f}")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

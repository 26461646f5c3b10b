#!/usr/bin/env python3
"""Figures, not pass/fail: what the real game costs a player's machine, for
two builds side by side in the same run (say, an older commit built in a
folder of its own, and this tree's build):

- the share of a core the game takes, and the X server's, on the main menu,
  the character selection, the pause and the race, from /proc over at least
  5 s each;
- how long a player looks at the loading picture: selection Enter -> level
  prompt (the level's first build in the process; once in each measured
  game and in five more fresh games a round), and everyone out (the last
  frame drawn) -> the prompt of the retried level, over the given number
  of retries;
- the game's memory: resident at the first prompt, and its peak.

    bench/recursos.py BUILD_ANTES BUILD_AGORA [rounds, default 2] [retries, default 10]

Each round runs each build once, in turn, each with its own Xvfb (the
scenarios' sessao.py). AVESSO_ARGUMENTOS, when set, is more of the game's
command line for both builds: "--levels DIR" with DIR holding copies of the
two built-in levels' texts measures levels played from files, painted
once into the cache $XDG_CACHE_HOME names. AVESSO_ARGUMENTOS_AGORA, when
set, stands for it in BUILD_AGORA's games only (the same build may then be
given twice: the built-in levels against level files); one game is played
first, unmeasured, so every measured one finds its levels painted. Run it as run.sh starts the game, with its
GLIBC_TUNABLES, to measure what a player gets. One player: level 1 ends at once (its finish line
stands in the first screen), and on level 2 a runner that never flips
drops out after about 3.5 s, so the race is measured in 2 s windows over
three attempts, and the retries come by themselves. The screen is read a
few rows at a time straight from the X server, every millisecond or so,
around the moments that are timed; nothing is read while a share of a core
is being measured.
"""
import ctypes
import json
import os
import shlex
import statistics
import subprocess
import sys
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "tests", "e2e"))

TIQUES = os.sysconf("SC_CLK_TCK")
PRIMEIRAS_POR_RODADA = 5


def tiques(pid):
    """Processor time of every thread of `pid`, in clock ticks."""
    with open(f"/proc/{pid}/stat") as f:
        campos = f.read().rsplit(")", 1)[1].split()
    return int(campos[11]) + int(campos[12])  # utime, stime


def memoria(pid):
    valores = {}
    with open(f"/proc/{pid}/status") as f:
        for linha in f:
            if linha.startswith(("VmRSS:", "VmHWM:")):
                nome, kb = linha.split()[:2]
                valores[nome[:-1]] = int(kb) / 1024
    return valores


def parcela(pids, segundos):
    """Share of one core each of `pids` used over `segundos` of wall time."""
    antes = [tiques(p) for p in pids]
    t0 = time.monotonic()
    time.sleep(segundos)
    depois = [tiques(p) for p in pids]
    dt = time.monotonic() - t0
    return [(b - a) / TIQUES / dt for a, b in zip(antes, depois)], dt


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
                ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p), ("destroy_image", ctypes.c_void_p)]


class Olho:
    """Rows of the game's window read straight from the X server: a row in
    well under a millisecond, where a whole screenshot takes tens."""

    def __init__(self, display, x, y):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                       ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.conexao = self.x11.XOpenDisplay(display.encode())
        self.raiz = self.x11.XDefaultRootWindow(self.conexao)
        self.x, self.y = x, y
        self._destruir = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(_XImage))

    def linha(self, y):
        """Row y of the window as RGB bytes."""
        img = self.x11.XGetImage(self.conexao, self.raiz, self.x, self.y + y, 640, 1, 0xFFFFFFFF, 2)  # ZPixmap
        bruto = ctypes.string_at(img.contents.data, 640 * 4)  # 24-bit depth: B, G, R, pad
        self._destruir(img.contents.destroy_image)(img)
        rgb = bytearray(640 * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = bruto[2::4], bruto[1::4], bruto[0::4]
        return bytes(rgb)

    def ate(self, condicao, y, limite=30.0):
        """The moment row y first passes `condicao`, looking every millisecond or so."""
        fim = time.monotonic() + limite
        while time.monotonic() < fim:
            if condicao(self.linha(y)):
                return time.monotonic()
            time.sleep(0.001)
        raise RuntimeError(f"row {y}: not seen within {limite:.0f} s")

    def fechar(self):
        self.x11.XCloseDisplay(self.conexao)


def mascarada(figura, y):
    """Test of a screen row: the figure's row y drawn over it with its mask
    colour left out."""
    trechos = figura.trechos(y)
    linha = figura.linha(y)
    return lambda tela: all(tela[3 * a:3 * b] == linha[3 * a:3 * b] for a, b in trechos)


def _preparar(build):
    sys.argv = [sys.argv[0], build]  # sessao's Cenario reads the build folder from here
    import sessao
    return sessao


def ver_prompt(c):
    """(row, test of that row): the Enter prompt's row with the most of its
    picture on it."""
    enter = c.menu("enter")
    y = max(range(enter.altura), key=lambda y: sum(b - a for a, b in enter.trechos(y)))
    return y, mascarada(enter, y)


def quase(figura):
    """Most of the screen is the picture: items may be drawn over it."""
    return lambda t: sum(t.linha(y) == figura.linha(y) for y in range(0, 480, 8)) >= 40


def ate_a_selecao(c):
    """A new game on the character selection."""
    jogo = c.iniciar_jogo(argumentos=shlex.split(os.environ.get("AVESSO_ARGUMENTOS", "")))
    jogo.abrir()
    c.esperar(jogo, quase(c.menu("menu")), "the main menu")
    return jogo


def selecao_ao_prompt(c, jogo, olho):
    """Enter on the selection (one player takes the first runner) to the
    level's prompt, in ms: the level's first build in the process."""
    y, no_prompt = ver_prompt(c)
    with jogo.segurando("Return"):
        t0 = time.monotonic()
        t1 = olho.ate(no_prompt, y)
    return (t1 - t0) * 1000


def medir_primeira(build):
    """A fresh game, only for how long its first level build takes."""
    sessao = _preparar(build)
    with sessao.Cenario("recursos-primeira") as c:
        jogo = ate_a_selecao(c)
        c.apertar(jogo, "Return", quase(c.menu("bg_selecao")), "the character selection")
        olho = Olho(c.display, jogo.x, jogo.y)
        print("RESULTADO " + json.dumps({"selecao_prompt": [selecao_ao_prompt(c, jogo, olho)]}), flush=True)
        olho.fechar()


def medir_um(build, retentativas):
    """One game of `build`, measured throughout."""
    sessao = _preparar(build)
    r = {"cpu": {}, "x": {}, "retry_prompt": []}
    with sessao.Cenario("recursos") as c:
        jogo = ate_a_selecao(c)
        pid, xpid = jogo.processo.pid, c.xvfb.pid

        def janela(nome, segundos=5.0):
            (jg, xv), dt = parcela([pid, xpid], segundos)
            r["cpu"].setdefault(nome, []).append((jg, dt))
            r["x"].setdefault(nome, []).append((xv, dt))

        time.sleep(1.0)
        janela("main menu")
        c.apertar(jogo, "Return", quase(c.menu("bg_selecao")), "the character selection")
        time.sleep(1.0)
        janela("character selection")

        olho = Olho(c.display, jogo.x, jogo.y)
        r["selecao_prompt"] = [selecao_ao_prompt(c, jogo, olho)]
        r["memoria_prompt"] = memoria(pid)
        prompt = sessao.sobreposta(c, "enter")
        c.esperar(jogo, lambda t: prompt(t) and sessao.no_nivel(c, 1, 480)(t), "level 1's prompt")
        # Level 1 ends at once with a winner: level 2.
        c.apertar(jogo, "Return", lambda t: not prompt(t), "level 1's race")
        c.esperar(jogo, lambda t: prompt(t) and sessao.no_nivel(c, 2, 480)(t), "level 2's prompt", timeout=60)

        y_prompt, no_prompt = ver_prompt(c)
        linhas = (10, y_prompt, 400)
        carregando = [mascarada(c.menu("bg_carregando"), y) for y in linhas]
        pausa = sessao.tela_cheia(c, "pause")
        for tentativa in range(retentativas):
            c.apertar(jogo, "Return", lambda t: not prompt(t), f"level 2's race, attempt {tentativa + 1}")
            if tentativa < 3:
                janela("race", 2.0)
            elif tentativa == 3:
                c.apertar(jogo, "p", pausa, "the pause")
                time.sleep(0.5)
                janela("pause")
                c.apertar(jogo, "p", lambda t: not pausa(t), "the race again")
            # Everyone out: the last frame drawn, then the loading picture,
            # then the retried level's prompt. A retry whose loading picture
            # went by unseen has no known last frame and is left out.
            anterior = [olho.linha(y) for y in linhas]
            ultima_mudanca = time.monotonic()
            limite = ultima_mudanca + 30
            while True:
                agora = [olho.linha(y) for y in linhas]
                t = time.monotonic()
                viu_carregando = any(teste(linha) for teste, linha in zip(carregando, agora))
                if viu_carregando or no_prompt(agora[1]):
                    break
                if agora != anterior:
                    ultima_mudanca, anterior = t, agora
                if t > limite:
                    raise sessao.Falha("the race did not end")
                time.sleep(0.001)
            t_prompt = olho.ate(no_prompt, y_prompt)
            if viu_carregando:
                r["retry_prompt"].append((t_prompt - ultima_mudanca) * 1000)
            else:
                r["sem_carregando"] = r.get("sem_carregando", 0) + 1
            c.esperar(jogo, lambda t: prompt(t) and sessao.no_nivel(c, 2, 480)(t), "the retried level's prompt")
        r["memoria_fim"] = memoria(pid)
        olho.fechar()
        print("RESULTADO " + json.dumps(r), flush=True)


def juntar(completas, primeiras):
    total = {"cpu": {}, "x": {}, "selecao_prompt": [], "retry_prompt": [], "rss": [], "pico": []}
    for r in completas:
        for chave in ("cpu", "x"):
            for tela, medidas in r[chave].items():
                total[chave].setdefault(tela, []).append(
                    sum(p * dt for p, dt in medidas) / sum(dt for _, dt in medidas))
        total["selecao_prompt"] += r["selecao_prompt"]
        total["retry_prompt"] += r["retry_prompt"]
        total["rss"].append(r["memoria_prompt"]["VmRSS"])
        total["pico"].append(r["memoria_fim"]["VmHWM"])
    for r in primeiras:
        total["selecao_prompt"] += r["selecao_prompt"]
    return total


def rodar(*argumentos, env=None):
    p = subprocess.run([sys.executable, "-B", __file__, *argumentos], capture_output=True, text=True, env=env)
    linha = [l for l in p.stdout.splitlines() if l.startswith("RESULTADO ")]
    if not linha:
        sys.exit(f"{' '.join(argumentos)} failed:\n{p.stdout[-3000:]}\n{p.stderr[-3000:]}")
    return json.loads(linha[0][len("RESULTADO "):])


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "--um":
        medir_um(sys.argv[2], int(sys.argv[3]))
        return
    if len(sys.argv) >= 3 and sys.argv[1] == "--primeira":
        medir_primeira(sys.argv[2])
        return
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    builds = {"before": os.path.abspath(sys.argv[1]), "now": os.path.abspath(sys.argv[2])}
    rodadas = int(sys.argv[3]) if len(sys.argv) > 3 else 2
    retentativas = int(sys.argv[4]) if len(sys.argv) > 4 else 10
    ambientes = {nome: None for nome in builds}
    if "AVESSO_ARGUMENTOS_AGORA" in os.environ:
        ambientes["now"] = dict(os.environ, AVESSO_ARGUMENTOS=os.environ["AVESSO_ARGUMENTOS_AGORA"])
        rodar("--primeira", builds["now"], env=ambientes["now"])
    completas = {nome: [] for nome in builds}
    primeiras = {nome: [] for nome in builds}
    for rodada in range(rodadas):
        ordem = list(builds) if rodada % 2 == 0 else list(reversed(builds))
        for nome in ordem:
            print(f"round {rodada + 1}: {nome} ({builds[nome]})", file=sys.stderr, flush=True)
            completas[nome].append(rodar("--um", builds[nome], str(retentativas), env=ambientes[nome]))
        # More first builds, each in a fresh game, in turn.
        for _ in range(PRIMEIRAS_POR_RODADA):
            for nome in ordem:
                primeiras[nome].append(rodar("--primeira", builds[nome], env=ambientes[nome]))
    t = {nome: juntar(completas[nome], primeiras[nome]) for nome in builds}

    def faixa(v):
        return f"{100 * statistics.median(v):5.1f}% ({100 * min(v):.1f}-{100 * max(v):.1f})"

    print(f"share of one core, median of {rodadas} runs (range), game + X server:")
    print(f"  {'':22} {'before':>32} {'now':>32}")
    for tela in ("race", "pause", "main menu", "character selection"):
        celulas = [f"{faixa(t[n]['cpu'][tela])} + X {100 * statistics.median(t[n]['x'][tela]):4.1f}%" for n in builds]
        print(f"  {tela:22} {celulas[0]:>32} {celulas[1]:>32}")

    def tempos(v):
        return f"{min(v):6.0f} / {statistics.median(v):6.0f} / {max(v):6.0f}  ({len(v)})"

    print("what the player waits, ms, min / median / max (how many):")
    print(f"  {'':38} {'before':>29} {'now':>29}")
    for titulo, chave in (("selection Enter -> prompt (first build)", "selecao_prompt"),
                          ("everyone out -> retried prompt", "retry_prompt")):
        print(f"  {titulo:38} {tempos(t['before'][chave]):>29} {tempos(t['now'][chave]):>29}")
    fora = {n: sum(r.get("sem_carregando", 0) for r in completas[n]) for n in builds}
    if any(fora.values()):
        print(f"  (retries left out, their loading picture unseen: {fora['before']} before, {fora['now']} now)")
    print("memory, MB (largest of the runs):")
    for nome in builds:
        print(f"  {nome:7} resident at the first prompt {max(t[nome]['rss']):6.1f}, "
              f"peak after {retentativas} retries {max(t[nome]['pico']):6.1f}")


if __name__ == "__main__":
    main()

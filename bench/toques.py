#!/usr/bin/env python3
"""Figures, not pass/fail: how many quick taps the game loses, for two
builds side by side in the same run. A tap is `xdotool key`: the press and
the release reach the X server together, as from some keyboards and
remote desktops.

- the main menu: Down and Up in turn between CREDITS and RULES;
- the credits: Enter on CREDITS opens them, Escape closes them;

each at idle and with CPU hogs keeping every core busy. After each tap the
screen is watched for 2 s; a tap whose effect never shows is lost.

    bench/toques.py BUILD_ANTES BUILD_AGORA [taps per measure, default 30]

Each build runs in its own Xvfb (the scenarios' sessao.py), the two builds
in turn for each measure.
"""
import os
import subprocess
import sys
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(AQUI, "..", "tests", "e2e"))

ESPERA = 2.0


def tocar(jogo, tecla):
    jogo.xdotool("key", tecla)


def visto(c, jogo, condicao):
    limite = time.monotonic() + ESPERA
    while time.monotonic() < limite:
        if condicao(jogo.tela()):
            return True
        time.sleep(0.02)
    return False


def medir(build, toques, carga):
    """Lost taps of `build`: {measure: (lost, taps)}."""
    sys.argv = [sys.argv[0], build]
    import sessao
    perdas = {"menu Down/Up": [0, 0], "credits Enter": [0, 0], "credits Escape": [0, 0]}
    porcos = [subprocess.Popen([sys.executable, "-c", "while True: pass"])
              for _ in range(os.cpu_count() if carga else 0)]
    try:
        with sessao.Cenario("toques") as c:
            item = lambda n: (lambda t: sessao.estado_menu(c, t) == n)  # noqa: E731
            creditos = sessao.tela_cheia(c, "bg_integrantes")
            jogo = c.iniciar_jogo()
            jogo.abrir()
            c.esperar(jogo, item(1), "the main menu")
            c.apertar(jogo, "Down", item(7), "CREDITS")
            for _ in range(toques):
                tela = jogo.tela()
                tecla, alvo = ("Down", 8) if sessao.estado_menu(c, tela) == 7 else ("Up", 7)
                tocar(jogo, tecla)
                perdas["menu Down/Up"][1] += 1
                perdas["menu Down/Up"][0] += not visto(c, jogo, item(alvo))
            if sessao.estado_menu(c, jogo.tela()) == 8:
                c.apertar(jogo, "Up", item(7), "CREDITS")
            for _ in range(toques):
                tocar(jogo, "Return")
                perdas["credits Enter"][1] += 1
                if not visto(c, jogo, creditos):
                    perdas["credits Enter"][0] += 1
                    continue
                tocar(jogo, "Escape")
                perdas["credits Escape"][1] += 1
                if not visto(c, jogo, item(7)):
                    perdas["credits Escape"][0] += 1
                    c.apertar(jogo, "Escape", item(7), "back on the menu")
    except SystemExit:
        pass  # the scenario's end
    finally:
        for p in porcos:
            p.kill()
            p.wait()
    return perdas


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    antes, agora = (os.path.abspath(b) for b in sys.argv[1:3])
    toques = int(sys.argv[3]) if len(sys.argv) > 3 else 30
    linhas = []
    for carga in (False, True):
        resultados = {b: medir(b, toques, carga) for b in (antes, agora)}
        for medida in resultados[antes]:
            a, d = resultados[antes][medida], resultados[agora][medida]
            linhas.append(f"| {medida}, {'under load' if carga else 'idle'} | {a[0]} of {a[1]} | {d[0]} of {d[1]} |")
    print(f"\nbefore: {antes}\nafter: {agora}\n\n| taps lost | before | after |")
    print("|---|---|---|")
    print("\n".join(linhas))


if __name__ == "__main__":
    main()

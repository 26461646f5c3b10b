#!/usr/bin/env python3
"""The window enlarged and in fullscreen. At scale 2 and 3 every screen,
reduced by the same factor, is exactly the 640 x 480 picture (each pixel a
whole block): menu, credits, rules, selection, Enter prompt, race, pause,
congratulations; a flip key still flips. Scale 99 gives one line and the
largest that fits. With no window manager F11 says once that there is no
fullscreen and the window stays; with one (evilwm), F11 in a race covers
the screen with the picture at the largest scale that fits, centred on
black, the race (on a level file where no runner falls out) going on and
X still flipping, and F11 again gives back the same window.

    janela.py <build dir>
"""
import glob
import os

from sessao import (ALTURA, LARGURA, QUIT, Cenario, corredores, estado_menu, estado_selecao, no_nivel, preto,
                    sobreposta, tela_cheia)

TELA = (2000, 1500)  # room for 1920 x 1440 and borders around it

SEM_TELA_CHEIA = ("avesso: no window manager here offers fullscreen (_NET_WM_STATE_FULLSCREEN); "
                  "staying in a window\n")


def menu(c, item):
    return lambda t: estado_menu(c, t) == item


def ate_a_corrida(c, jogo):
    """From the main menu, one player: the selection, level 1's prompt, its race."""
    prompt = sobreposta(c, "enter")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the character selection")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t), "level 1's Enter prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "level 1's race")


def vira(c, jogo, texto):
    """Once the runner is down in the lower half, X held flips it up towards
    the ceiling (a press in the air waits for the landing)."""
    corrida = corredores(c, 1, ["player 1a.bmp"])

    def embaixo(tela):
        r = corrida(tela)
        return r and r[1][0] > ALTURA / 2 and r[1][0]

    _, y = c.esperar(jogo, embaixo, "the runner is down")
    c.apertar(jogo, "x", lambda t: (corrida(t) or (0, [y]))[1][0] < y - 40, texto)


def desvira(c, jogo, texto):
    """X held flips the runner from the ceiling back down."""
    corrida = corredores(c, 1, ["player 1a.bmp"])
    _, (_, (y,)) = c.esperar(jogo, corrida, "the runner is in view")
    c.apertar(jogo, "x", lambda t: (corrida(t) or (0, [y]))[1][0] > y + 40, texto)


def cada_tela(c, jogo, escala):
    """Every screen of the game at this scale, as the scale-1 pictures."""
    s = f"at scale {escala}"
    c.esperar(jogo, menu(c, 1), f"{s}: the main menu")
    c.apertar(jogo, "Down", menu(c, 7), f"{s}: Down moves to CREDITS")
    c.apertar(jogo, "Return", tela_cheia(c, "bg_integrantes"), f"{s}: the credits")
    c.apertar(jogo, "Escape", menu(c, 7), f"{s}: back to the menu")
    c.apertar(jogo, "Down", menu(c, 8), f"{s}: RULES")
    c.apertar(jogo, "Return", tela_cheia(c, "bg_instrucoes"), f"{s}: the rules")
    c.apertar(jogo, "Escape", menu(c, 8), f"{s}: back to the menu")
    c.apertar(jogo, "Up", menu(c, 7), f"{s}: Up to CREDITS")
    c.apertar(jogo, "Up", menu(c, 1), f"{s}: Up to one player")
    ate_a_corrida(c, jogo)
    vira(c, jogo, f"{s}: X flips the runner")
    c.apertar(jogo, "p", tela_cheia(c, "pause"), f"{s}: the pause")
    c.apertar(jogo, "p", no_nivel(c, 1), f"{s}: the race again")
    prompt = sobreposta(c, "enter")
    c.apertar(jogo, "F10", lambda t: prompt(t) and no_nivel(c, 2, limite_linhas=480)(t), f"{s}: level 2's prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 2)(t), f"{s}: level 2's race")
    c.apertar(jogo, "F10", sobreposta(c, "parabens"), f"{s}: the congratulations")
    c.apertar(jogo, "Return", menu(c, 1), f"{s}: Enter goes back to the menu")
    for item in (7, 8, QUIT):
        c.apertar(jogo, "Down", menu(c, item), f"{s}: Down to item {item}")
    with jogo.segurando("Return"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, f"{s}: QUIT ends the game with code 0", f"got {codigo}")


with Cenario("janela", tela=TELA, gerenciador=True) as c:
    jogo = c.iniciar_jogo(argumentos=["--scale", "2"], escala=2)
    jogo.abrir()
    # No window manager: F11 says so once, and the window and game go on.
    c.esperar(jogo, menu(c, 1), "at scale 2: the main menu")
    c.apertar(jogo, "F11", lambda t: jogo.erros() == SEM_TELA_CHEIA, "F11 with no window manager says so")
    c.apertar(jogo, "Right", menu(c, 2), "and the menu still answers")
    c.apertar(jogo, "F11", lambda t: True, "F11 again")
    c.apertar(jogo, "Left", menu(c, 1), "the menu answers")
    c.verificar(jogo.geometria()[2:] == (2 * LARGURA, 2 * ALTURA), "the window stays 1280 x 960",
                str(jogo.geometria()))
    c.verificar(jogo.erros() == SEM_TELA_CHEIA, "the line is said once", repr(jogo.erros()))
    cada_tela(c, jogo, 2)

    jogo = c.iniciar_jogo(argumentos=["--scale=99"], escala=3)
    jogo.abrir()
    cada_tela(c, jogo, 3)
    esperado = ("avesso: --scale: scale 99 makes a window, larger than the 2000 x 1500 desktop; "
                "using 3, the largest that fits\n")
    c.verificar(jogo.erros() == esperado, "scale 99: one line, then the largest scale that fits", repr(jogo.erros()))

    # Under a window manager the race is a level file with floor and ceiling
    # unbroken: however long the window manager takes, the runner stays in.
    plano = os.path.join(c.temp, "plano.txt")
    with open(plano, "w") as f:
        f.write("tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 10\nchegada 17000 399 40\n")
    cache = os.path.join(c.temp, "cache")
    os.environ["XDG_CACHE_HOME"] = cache
    c.iniciar_gerenciador()
    jogo = c.iniciar_jogo(argumentos=["--scale", "2", "--levels", plano], escala=2)
    jogo.abrir()
    c.esperar(jogo, menu(c, 1), "under a window manager: the main menu at scale 2")
    janela = jogo.geometria()
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the character selection")
    pintada = os.path.join(cache, "avesso", "figuras", "*-visual.bmp")
    c.apertar(jogo, "Return", lambda t: glob.glob(pintada), "the level file painted", timeout=60)
    c.nivel(1, glob.glob(pintada)[0])
    prompt = sobreposta(c, "enter")
    c.esperar(jogo, lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t), "its Enter prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "its race")
    vira(c, jogo, "X flips the runner")

    # Fullscreen: the screen's size, the picture at scale 3 in the middle.
    x, y = (TELA[0] - 3 * LARGURA) // 2, (TELA[1] - 3 * ALTURA) // 2
    with jogo.segurando("F11"):
        c.esperar(jogo, lambda t: jogo.geometria() == (0, 0) + TELA, "F11: the window covers the screen")
    jogo.x, jogo.y, jogo.escala = x, y, 3
    primeira, _ = c.esperar(jogo, no_nivel(c, 1), "the race at scale 3, centred")
    c.esperar(jogo, lambda t: no_nivel(c, 1)(t) and t.rgb != primeira.rgb, "and it goes on")
    inteira = jogo.tela(0, 0, *TELA)
    c.verificar(all(preto(inteira, *r) for r in ((0, 0, TELA[0], y), (0, y, x, 3 * ALTURA),
                                                 (x + 3 * LARGURA, y, x, 3 * ALTURA),
                                                 (0, y + 3 * ALTURA, TELA[0], y))),
                "black borders around the picture", tela=inteira)
    desvira(c, jogo, "in fullscreen X flips the runner back")

    with jogo.segurando("F11"):
        c.esperar(jogo, lambda t: jogo.geometria()[2:] == janela[2:], "F11 again: the window as it was")
    jogo.x, jogo.y = jogo.geometria()[:2]
    jogo.escala = 2
    primeira, _ = c.esperar(jogo, no_nivel(c, 1), "the race at scale 2")
    c.esperar(jogo, lambda t: no_nivel(c, 1)(t) and t.rgb != primeira.rgb, "and it goes on")
    c.apertar(jogo, "Escape", menu(c, 1), "Escape leaves for the menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

#!/usr/bin/env python3
"""Level files played with --levels: a folder holding the two built-in
levels' texts under other names and a file with a mistake. The broken file
gets its one line on standard error and is left out; the others are played
in name order, each painted when it is entered, exactly as the build paints
the built-in levels; the congratulations come after the last. A second
start finds the pictures in the cache.

    arquivos_niveis.py <build dir>
"""
import os
import shutil

from sessao import QUIT, Cenario, estado_menu, estado_selecao, no_nivel, sobreposta

with Cenario("arquivos_niveis") as c:
    pasta = os.path.join(c.temp, "meus niveis")
    os.makedirs(pasta)
    # Name order: a.txt (level 2's text) before b.txt (level 1's).
    shutil.copy(os.path.join(c.build, "niveis", "nivel2.txt"), os.path.join(pasta, "a.txt"))
    shutil.copy(os.path.join(c.build, "niveis", "nivel1.txt"), os.path.join(pasta, "b.txt"))
    with open(os.path.join(pasta, "c.txt"), "w") as f:
        f.write("tema campo\nchao 0 400\nteto 0 40\nvelocidade 2 0\nchegada 440 399 40\n")
    # The game's cache, private to the scenario.
    cache = os.path.join(c.temp, "cache")
    os.environ["XDG_CACHE_HOME"] = cache

    prompt = sobreposta(c, "enter")

    def na_espera(numero):
        return lambda t: prompt(t) and no_nivel(c, numero, limite_linhas=480)(t)

    def correndo(numero):
        return lambda t: not prompt(t) and no_nivel(c, numero)(t)

    jogo = c.iniciar_jogo(argumentos=("--levels", pasta))
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")
    c.verificar(jogo.erros() == f"avesso: {pasta}/c.txt:4: speed 0: the view needs at least 1 pixel a frame\n",
                "the broken file is said in one line, with its line number", repr(jogo.erros()))
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "player 1 chooses a runner")
    c.apertar(jogo, "Return", na_espera(2), "a.txt, painted as it loads, is level 2's picture exactly",
              timeout=60)
    c.apertar(jogo, "Return", correndo(2), "its race starts")
    c.apertar(jogo, "F10", na_espera(1), "F10: b.txt, painted as it loads, is level 1's picture exactly", timeout=60)
    c.apertar(jogo, "Return", correndo(1), "its race starts")
    c.apertar(jogo, "F10", sobreposta(c, "parabens"), "F10 after the last file shows the congratulations")
    c.apertar(jogo, "Return", lambda t: estado_menu(c, t) == 1, "Enter goes back to the main menu")
    for item in (7, 8, QUIT):
        c.apertar(jogo, "Down", lambda t: estado_menu(c, t) == item, f"Down moves the highlight to item {item}")
    with jogo.segurando("Return"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "QUIT ends the game with code 0", f"got {codigo}")

    guardadas = sorted(os.listdir(os.path.join(cache, "avesso", "figuras")))
    c.verificar(len(guardadas) == 4 and all(n.endswith(("-visual.bmp", "-colisao.bmp")) for n in guardadas),
                "the cache holds the two levels' pictures", repr(guardadas))
    datas = {n: os.stat(os.path.join(cache, "avesso", "figuras", n)).st_ino for n in guardadas}

    # Again: the pictures come from the cache, not painted anew.
    jogo = c.iniciar_jogo(argumentos=("--levels", os.path.join(pasta, "a.txt")))
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "a second start opens on the main menu")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "player 1 chooses a runner")
    c.apertar(jogo, "Return", na_espera(2), "a.txt alone: level 2's picture")
    c.apertar(jogo, "Return", correndo(2), "its race starts")
    c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) == 1, "Escape leaves it for the main menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0 and jogo.erros() == "", "Escape quits cleanly", f"{codigo} {jogo.erros()!r}")
    depois = {n: os.stat(os.path.join(cache, "avesso", "figuras", n)).st_ino
              for n in os.listdir(os.path.join(cache, "avesso", "figuras"))}
    c.verificar(depois == datas, "the cached pictures were used, not written again", repr(depois))

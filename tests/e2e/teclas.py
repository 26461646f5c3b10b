#!/usr/bin/env python3
"""Keys held long, with the X server's auto-repeat on as on a player's
desktop: a key still held from one screen must not act again on the next.
Enter held on the main menu opens the selection but picks nobody's runner;
Escape held in a level goes back to the main menu but does not quit.

    teclas.py <build dir>
"""
import time

from sessao import Cenario, estado_menu, estado_selecao, no_nivel, sobreposta

# Longer than the X server's auto-repeat delay (660 ms by default): the key
# arrives many times over while held.
ALEM_DA_REPETICAO = 1.5

with Cenario("teclas", repeticao=True) as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")

    escolhendo = lambda t: estado_selecao(c, t) == (1, 0, set())  # noqa: E731
    with jogo.segurando("Return"):
        c.esperar(jogo, escolhendo, "Enter held on the menu opens the selection")
        time.sleep(ALEM_DA_REPETICAO)
    tela = jogo.tela()
    c.verificar(escolhendo(tela), "and, held on, picks no runner there", tela=tela)

    prompt = sobreposta(c, "enter")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t),
              "a new press of Enter picks the runner: level 1 waits at its prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "Enter starts the race")

    with jogo.segurando("Escape"):
        c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "Escape held in the race goes back to the main menu")
        time.sleep(ALEM_DA_REPETICAO)
    c.verificar(not jogo.terminou(), "and, held on, does not quit the game")

    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "a new press of Escape quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

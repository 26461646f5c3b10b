#!/usr/bin/env python3
"""One player through the whole game: every level but the last skipped
with F10, a lost attempt at the last that rebuilds it, the last skipped
with F10, the congratulations until Enter, back to the main menu, and QUIT.
The levels are the game's table's, however many it holds.

    campanha.py <build dir>
"""
from sessao import QUIT, VISUAIS, Cenario, estado_menu, estado_selecao, no_nivel, sobreposta

with Cenario("campanha") as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "player 1 chooses a runner")

    prompt = sobreposta(c, "enter")

    def na_espera(numero):
        return lambda t: prompt(t) and no_nivel(c, numero, limite_linhas=480)(t)

    def correndo(numero):
        return lambda t: not prompt(t) and no_nivel(c, numero)(t)

    ultimo = len(VISUAIS)
    c.apertar(jogo, "Return", na_espera(1), "level 1 waits at its Enter prompt")
    for numero in range(1, ultimo):
        c.apertar(jogo, "Return", correndo(numero), f"level {numero}'s race starts")
        # A lone runner needs seconds of play to drop out; F10 comes first.
        c.apertar(jogo, "F10", na_espera(numero + 1), f"F10 skips to level {numero + 1}'s Enter prompt")
    c.apertar(jogo, "Return", correndo(ultimo), f"level {ultimo}'s race starts")

    # A runner that never flips drops out: with nobody left and no winner
    # the level is built again and waits at its prompt.
    c.esperar(jogo, na_espera(ultimo),
              f"the lone runner drops out: level {ultimo} is built again and waits at its prompt", timeout=40)
    c.apertar(jogo, "Return", correndo(ultimo), f"level {ultimo}'s second attempt starts")

    c.apertar(jogo, "F10", sobreposta(c, "parabens"), f"F10 in level {ultimo} shows the congratulations")
    # Right held on the congratulations does nothing there, then moves the
    # menu's highlight; Down, with that Enter still held, moves it again. Had
    # the congratulations gone before Enter (by themselves, or on Right),
    # that Enter would have chosen two players; had they left it set, the
    # menu would have chosen on it.
    with jogo.segurando("Right", "Return"):
        c.esperar(jogo, lambda t: estado_menu(c, t) == 2,
                  "the congratulations stay until Enter, Right held there; back on the menu Right goes to two")
        c.apertar(jogo, "Down", lambda t: estado_menu(c, t) == 7,
                  "and that Enter chooses nothing: Down goes to CREDITS")

    for item in (8, QUIT):
        c.apertar(jogo, "Down", lambda t: estado_menu(c, t) == item, f"Down moves the highlight to item {item}")
    with jogo.segurando("Return"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Enter on QUIT ends the game with code 0", f"got {codigo}")
    c.verificar(jogo.saida().splitlines() == ["src/Img/Jogo/player 1a.bmp"],
                "standard output names the one runner chosen", repr(jogo.saida()))
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

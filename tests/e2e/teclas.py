#!/usr/bin/env python3
"""Keys held long, with the X server's auto-repeat on as on a player's
desktop: a key still held from one screen must not act again on the next.
Enter held on the main menu opens the selection but picks nobody's runner;
Escape held in a level goes back to the main menu but does not quit.

    teclas.py <build dir>
"""
from sessao import Cenario, estado_menu, estado_selecao, no_nivel, sobreposta

with Cenario("teclas", repeticao=True) as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")

    def escolhendo(tela):
        # Player 1's cursor off the first runner (Right repeats too), nobody's runner taken.
        estado = estado_selecao(c, tela)
        return estado and estado[0] == 1 and estado[1] > 0 and not estado[2]

    # Right, pressed once Enter's repeats have come, moves the cursor: the
    # selection read those repeats before it, and a repeat taken as a press
    # would have picked the first runner.
    with jogo.segurando("Return"):
        c.esperar(jogo, lambda t: estado_selecao(c, t) == (1, 0, set()), "Enter held on the menu opens the selection")
        jogo.repeticoes("Return")
        c.apertar(jogo, "Right", escolhendo, "and, held on while it repeats, picks no runner there: Right moves on")

    prompt = sobreposta(c, "enter")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t),
              "a new press of Enter picks the runner: level 1 waits at its prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "Enter starts the race")

    # Likewise Right after Escape's repeats moves the highlight: a repeat
    # taken as a press would have quit the game from the menu.
    with jogo.segurando("Escape"):
        c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "Escape held in the race goes back to the main menu")
        jogo.repeticoes("Escape")
        c.apertar(jogo, "Right", lambda t: estado_menu(c, t) in range(2, 7),
                  "and, held on while it repeats, does not quit the game: Right moves on")

    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "a new press of Escape quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

#!/usr/bin/env python3
"""Two players, as they would play: both pick a runner (the second cannot take
the first's), the Enter prompt, player 1 flips onto the ceiling, a pause
during which player 2's key still flips its runner, F10 past level 1, Escape
out of level 2 to the main menu, Escape to quit. Every key is held until the
screen shows its effect.

    partida.py <build dir>
"""
from sessao import Cenario, corredores, estado_menu, estado_selecao, no_nivel, sobreposta, tela_cheia

with Cenario("partida") as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")
    c.apertar(jogo, "Right", lambda t: estado_menu(c, t) == 2, "Right moves to two players")

    def selecao(*estado):
        return lambda t: estado_selecao(c, t) == estado

    c.apertar(jogo, "Return", selecao(1, 0, set()), "player 1 chooses first, from the first runner")

    # Player 1 takes the third runner.
    c.apertar(jogo, "Right", selecao(1, 1, set()), "player 1's cursor on the second runner")
    c.apertar(jogo, "Right", selecao(1, 2, set()), "player 1's cursor on the third runner")
    c.apertar(jogo, "Return", selecao(2, 0, {2}),
              "player 2's turn: the third runner shows taken, the cursor starts on the first")

    # Player 2 can step past the taken runner both ways but never onto it.
    c.apertar(jogo, "Right", selecao(2, 1, {2}), "Right: player 2 on the second runner")
    c.apertar(jogo, "Right", selecao(2, 3, {2}), "Right again jumps over the taken third runner")
    c.apertar(jogo, "Left", selecao(2, 1, {2}), "Left jumps back over it")

    # The level waits at its prompt until Enter, as its first frame left it:
    # the view one step from the level's start. The prompt reads no key but
    # Enter and draws nothing while it waits, so no second key can show it
    # waited; a level running behind it would have scrolled its view on.
    prompt = sobreposta(c, "enter")
    nivel1 = no_nivel(c, 1, limite_linhas=480)
    tela, (gx, _) = c.apertar(jogo, "Return", lambda t: prompt(t) and nivel1(t),
                              "level 1 loads and shows the Enter prompt")
    c.verificar(gx <= 1, "the level stands still at the prompt, on its first frame", f"view at column {gx}", tela=tela)
    # Player 2's jump over the taken runner says how far it went (2), then
    # come the runners chosen, in the players' order.
    c.verificar(jogo.saida().splitlines() == ["2", "src/Img/Jogo/player 3a.bmp", "src/Img/Jogo/player 2a.bmp"],
                "standard output: the jump, then the two chosen runners, one line each", repr(jogo.saida()))

    # The race: both runners fall and land (player 1, the third runner, on
    # player 2 as they start stacked), then X flips player 1.
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "Enter starts the race")
    corrida = corredores(c, 1, ["player 3a.bmp", "player 2a.bmp"])
    lidas = []

    def pousados(tela):
        # Three readings in a row (six frames or more) with both runners
        # still, while the view moves on: they stand.
        r = corrida(tela)
        lidas.append(r)
        if len(lidas) < 3 or not all(lidas[-3:]):
            return None
        (gx0, _), _, (gx2, ys2) = lidas[-3:]
        if gx0 == gx2 or any(abs(a - b) >= 3 for l in lidas[-3:] for a, b in zip(l[1], ys2)):
            return None
        return ys2

    _, em_pe = c.esperar(jogo, pousados, "both runners land")

    def subiu(i):
        def condicao(tela):
            r = corrida(tela)
            return r and r[1][i] < em_pe[i] - 40 and r[1]
        return condicao

    tela, ys = c.apertar(jogo, "x", subiu(0), "X flips player 1 up towards the ceiling")
    c.verificar(ys[1] > em_pe[1] - 10, "player 2 stays down", f"row {em_pe[1]:.0f} -> {ys[1]:.0f}", tela=tela)

    # Pause: the pause picture stays until P again. The players' keys are
    # still read meanwhile: M, pressed while player 2 stands and held until
    # the race has resumed, flips it once. Had M ended the pause, that P
    # would pause the race again and level 1 would not come back.
    c.apertar(jogo, "p", tela_cheia(c, "pause"), "P shows the pause picture")
    with jogo.segurando("m"):
        de_volta, _ = c.apertar(jogo, "p", no_nivel(c, 1),
                                "the pause stays while M is pressed: P again brings level 1 back")
        c.esperar(jogo, lambda t: no_nivel(c, 1)(t) and t.rgb != de_volta.rgb, "and its race runs on")
        c.esperar(jogo, subiu(1), "M pressed during the pause flips player 2 once the race resumes")

    # F10 gives up level 1. Paused first, so the race is surely still on:
    # F10 held while P resumes ends it before another frame is played.
    c.apertar(jogo, "p", tela_cheia(c, "pause"), "P pauses level 1 again")
    c.apertar(jogo, ["F10", "p"], lambda t: prompt(t) and no_nivel(c, 2, limite_linhas=480)(t),
              "F10 skips to level 2's Enter prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 2)(t), "level 2's race starts")

    # Right, with that Escape still held, moves the highlight: the menu read
    # the Escape and did not quit on it.
    with jogo.segurando("Escape"):
        c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "Escape in level 2 goes back to the main menu")
        c.apertar(jogo, "Right", lambda t: estado_menu(c, t) == 2,
                  "the Escape that left the level does not also quit the game: Right moves to two players")

    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape on the menu quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

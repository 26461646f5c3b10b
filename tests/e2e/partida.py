#!/usr/bin/env python3
"""Two players, as they would play: both pick a runner (the second cannot take
the first's), the Enter prompt, player 1 flips onto the ceiling, a pause
during which player 2's key still flips its runner, F10 past level 1, Escape out of
level 2 to the main menu, Escape to quit.

    partida.py <build dir>
"""
import time

from sessao import Cenario, corredores, estado_menu, estado_selecao, no_nivel, sobreposta, tela_cheia

with Cenario("partida") as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu opens on one player")
    jogo.tecla("Right")
    c.esperar(jogo, lambda t: estado_menu(c, t) == 2, "Right moves to two players")
    jogo.tecla("Return")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (1, 0, set()),
              "player 1 chooses first, from the first runner")

    # Player 1 takes the third runner.
    jogo.tecla("Right")
    jogo.tecla("Right")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (1, 2, set()), "player 1's cursor on the third runner")
    jogo.tecla("Return")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (2, 0, {2}),
              "player 2's turn: the third runner shows taken, the cursor starts on the first")

    # Player 2 can step past the taken runner both ways but never onto it.
    jogo.tecla("Right")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (2, 1, {2}), "Right: player 2 on the second runner")
    jogo.tecla("Right")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (2, 3, {2}), "Right again jumps over the taken third runner")
    jogo.tecla("Left")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (2, 1, {2}), "Left jumps back over it")
    jogo.tecla("Return")

    # The level waits at its prompt until Enter.
    prompt = sobreposta(c, "enter")
    nivel1 = no_nivel(c, 1, limite_linhas=480)
    tela, _ = c.esperar(jogo, lambda t: prompt(t) and nivel1(t), "level 1 loads and shows the Enter prompt")
    time.sleep(0.6)
    depois = jogo.tela()
    c.verificar(depois.rgb == tela.rgb, "the level stands still at the prompt", tela=depois)
    # Player 2's jump over the taken runner says how far it went (2), then
    # come the runners chosen, in the players' order.
    c.verificar(jogo.saida().splitlines() == ["2", "src/Img/Jogo/player 3a.bmp", "src/Img/Jogo/player 2a.bmp"],
                "standard output: the jump, then the two chosen runners, one line each", repr(jogo.saida()))

    # The race: both runners fall and land (player 1, the third runner, on
    # player 2 as they start stacked), then X flips player 1.
    jogo.tecla("Return", depois=0)
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

    _, em_pe = c.esperar(jogo, pousados, "the race starts and both runners land", timeout=6)
    jogo.tecla("x", depois=0)

    def virou(tela):
        r = corrida(tela)
        return r and r[1][0] < em_pe[0] - 40 and r[1]
    tela, ys = c.esperar(jogo, virou, "X flips player 1 up towards the ceiling", timeout=3)
    c.verificar(ys[1] > em_pe[1] - 10, "player 2 stays down", f"row {em_pe[1]:.0f} -> {ys[1]:.0f}", tela=tela)

    # Pause: the pause picture stays until P again. The players' keys are
    # still read meanwhile: M, pressed while player 2 stands, flips it, and
    # it rises once the race resumes.
    jogo.tecla("p", depois=0)
    pausa, _ = c.esperar(jogo, tela_cheia(c, "pause"), "P shows the pause picture", timeout=3)
    jogo.tecla("m", depois=0.8)
    tela = jogo.tela()
    c.verificar(tela.rgb == pausa.rgb, "the pause picture stays, unchanged, while M is pressed", tela=tela)
    jogo.tecla("p", depois=0)
    de_volta, _ = c.esperar(jogo, no_nivel(c, 1), "P again brings level 1 back", timeout=3)
    c.esperar(jogo, lambda t: no_nivel(c, 1)(t) and t.rgb != de_volta.rgb, "and its race runs on", timeout=3)
    fim, alturas = time.monotonic() + 1.0, []
    while time.monotonic() < fim:
        tela = jogo.tela()
        r = corrida(tela)
        if r:
            alturas.append(r[1][1])
    c.verificar(alturas and min(alturas) < em_pe[1] - 40,
                "M pressed during the pause flips player 2 once the race resumes",
                f"player 2's rows after the pause: {[round(a) for a in alturas]}, standing at {em_pe[1]:.0f}",
                tela=tela)

    # F10 gives up level 1: level 2 loads and waits at its prompt.
    c.esperar(jogo, no_nivel(c, 1), "level 1's race is still on", timeout=2)
    jogo.tecla("F10", depois=0)
    c.esperar(jogo, lambda t: prompt(t) and no_nivel(c, 2, limite_linhas=480)(t),
              "F10 skips to level 2's Enter prompt", timeout=8)
    jogo.tecla("Return", depois=0)
    c.esperar(jogo, no_nivel(c, 2), "level 2's race starts", timeout=3)

    jogo.tecla("Escape", depois=0)
    c.esperar(jogo, lambda t: estado_menu(c, t) is not None, "Escape in level 2 goes back to the main menu",
              timeout=5)
    time.sleep(0.5)
    c.verificar(not jogo.terminou() and estado_menu(c, jogo.tela()) is not None,
                "the Escape that left the level does not also quit the game")

    jogo.tecla("Escape", depois=0)
    codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape on the menu quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

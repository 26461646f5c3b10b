#!/usr/bin/env python3
"""What the world outside the window does to the game: Ctrl-C, SIGQUIT,
SIGTERM or a closed terminal's SIGHUP on every screen quits as the close
button does (code 0, nothing on standard error); Ctrl+Alt+End, which
Allegro would take for its own exit, is only keys; a standard output that is a broken pipe or closed does not stop the
selection's lines from being written, nor the game; a window destroyed by
another program ends the game as its close button does, and a display
connection cut by the server ends it with one line and code 1, never a
crash.

    sinais.py <build dir>
"""
import os
import signal
import time

from sessao import Cenario, Falha, estado_menu, estado_selecao, no_nivel, sobreposta, tela_cheia

with Cenario("sinais") as c:
    prompt = sobreposta(c, "enter")

    def no_menu(jogo):
        jogo.abrir()
        c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu")

    def nos_creditos(jogo):
        no_menu(jogo)
        c.apertar(jogo, "Down", lambda t: estado_menu(c, t) == 7, "CREDITS highlighted")
        c.apertar(jogo, "Return", tela_cheia(c, "bg_integrantes"), "the credits")

    def na_selecao(jogo):
        no_menu(jogo)
        c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the selection")

    def no_prompt(jogo, numero=1):
        if numero == 1:
            na_selecao(jogo)
        c.apertar(jogo, "Return" if numero == 1 else "F10",
                  lambda t: prompt(t) and no_nivel(c, numero, limite_linhas=480)(t), f"level {numero}'s prompt")

    def na_corrida(jogo, numero=1):
        no_prompt(jogo, numero)
        c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, numero)(t), f"level {numero}'s race")

    def na_pausa(jogo):
        na_corrida(jogo)
        c.apertar(jogo, "p", tela_cheia(c, "pause"), "the pause")

    def nos_parabens(jogo):
        na_corrida(jogo)
        na_corrida(jogo, 2)
        c.apertar(jogo, "F10", sobreposta(c, "parabens"), "the congratulations")

    def sai_por_sinal(jogo, sinal, onde):
        nome = signal.Signals(sinal).name
        os.kill(jogo.processo.pid, sinal)
        t0 = time.monotonic()
        try:
            codigo = jogo.esperar_fim()
        except Falha as f:
            c.verificar(False, f"{nome} on {onde}: the game quits", str(f))
            return
        c.log(f"{nome} on {onde}: ended in {time.monotonic() - t0:.2f} s")
        c.verificar(codigo == 0 and jogo.erros() == "", f"{nome} on {onde}: the game quits with code 0, silently",
                    f"code {codigo}, {jogo.erros()!r}")

    telas = [(no_menu, "the main menu", signal.SIGINT), (nos_creditos, "the credits", signal.SIGTERM),
             (na_selecao, "the selection", signal.SIGINT), (no_prompt, "the Enter prompt", signal.SIGTERM),
             (na_corrida, "the race", signal.SIGINT), (na_corrida, "the race", signal.SIGTERM),
             (na_pausa, "the pause", signal.SIGINT), (nos_parabens, "the congratulations", signal.SIGTERM),
             (no_menu, "the main menu", signal.SIGHUP), (na_corrida, "the race", signal.SIGQUIT),
             (na_pausa, "the pause", signal.SIGHUP), (na_selecao, "the selection", signal.SIGQUIT)]
    for ir, onde, sinal in telas:
        jogo = c.iniciar_jogo()
        ir(jogo)
        sai_por_sinal(jogo, sinal, onde)

    # Ctrl+Alt+End held on the menu (Left Control is player 4's key): the
    # game is still there to answer Down.
    jogo = c.iniciar_jogo()
    no_menu(jogo)
    with jogo.segurando("Control_L", "Alt_L", "End"):
        c.apertar(jogo, "Down", lambda t: estado_menu(c, t) == 7, "Ctrl+Alt+End is no way out: Down still moves")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "and Escape quits with code 0", f"got {codigo}")

    # Standard output a pipe nobody reads, or closed: the selection writes
    # its lines into it, and the game plays on.
    leitura, escrita = os.pipe()
    os.close(leitura)
    for saida, como in ((escrita, "a broken pipe"), ("fechada", "closed")):
        jogo = c.iniciar_jogo(saida=saida)
        na_corrida(jogo)
        c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) == 1, f"with standard output {como}: back to the menu")
        with jogo.segurando("Escape"):
            codigo = jogo.esperar_fim()
        c.verificar(codigo == 0, f"with standard output {como}: Escape quits with code 0", f"got {codigo}")
    os.close(escrita)

    # The window destroyed by another program during the pause, and the
    # connection to the display cut.
    jogo = c.iniciar_jogo()
    na_pausa(jogo)
    jogo.xdotool("windowclose", jogo.janela)
    codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "the window destroyed during the pause: the game quits with code 0", f"got {codigo}")
    jogo = c.iniciar_jogo()
    na_corrida(jogo)
    jogo.xdotool("windowkill", jogo.janela)
    codigo = jogo.esperar_fim()
    c.verificar(codigo == 1 and jogo.erros() == "avesso: lost the connection to the display\n",
                "the display connection cut in the race: one line and code 1",
                f"code {codigo}, {jogo.erros()!r}")

#!/usr/bin/env python3
"""The main menu as a player finds it: the arrows move the highlight along
the digits and down the items, CREDITS and RULES show their pages until
Escape, a digit opens the character selection (Escape comes back), and
Escape on the menu quits with code 0.

    menu.py <build dir>
"""
import time

from sessao import QUIT, Cenario, estado_menu, estado_selecao, tela_cheia

with Cenario("menu") as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()

    def menu_em(item):
        return lambda t: estado_menu(c, t) == item

    c.esperar(jogo, menu_em(1), "the main menu opens with one player highlighted")

    # Each press, and where the highlight must be after it. Up from the
    # items goes back to the digit last reached with Left or Right.
    caminho = [("Right", 2), ("Right", 3), ("Left", 2), ("Down", 7), ("Down", 8), ("Down", QUIT),
               ("Down", QUIT), ("Up", 8), ("Up", 7), ("Up", 2), ("Left", 1), ("Left", 1)]
    for tecla, item in caminho:
        jogo.tecla(tecla)
        c.esperar(jogo, menu_em(item), f"{tecla} moves the highlight to item {item}", timeout=3)
    for _ in range(5):
        jogo.tecla("Right")
    c.esperar(jogo, menu_em(6), "Right stops at six players", timeout=3)
    jogo.tecla("Right")
    c.esperar(jogo, menu_em(6), "and stays there", timeout=3)

    # Credits and rules, each until Escape, which does not also quit.
    for descida, item, pagina, nome in ((1, 7, "bg_integrantes", "CREDITS"), (1, 8, "bg_instrucoes", "RULES")):
        for _ in range(descida):
            jogo.tecla("Down")
        c.esperar(jogo, menu_em(item), f"{nome} highlighted", timeout=3)
        jogo.tecla("Return")
        tela, _ = c.esperar(jogo, tela_cheia(c, pagina), f"Enter on {nome} shows its page", timeout=3)
        time.sleep(0.6)
        depois = jogo.tela()
        c.verificar(depois.rgb == tela.rgb, f"the {nome} page stays until Escape", tela=depois)
        jogo.tecla("Escape")
        c.esperar(jogo, menu_em(item), f"Escape goes back to the menu, {nome} still highlighted", timeout=3)

    # A digit opens the selection; Escape there comes back to the menu.
    jogo.tecla("Up")
    jogo.tecla("Up")
    c.esperar(jogo, menu_em(6), "Up twice goes back to the six", timeout=3)
    jogo.tecla("Return")
    c.esperar(jogo, lambda t: estado_selecao(c, t) == (1, 0, set()), "Enter on a digit opens the selection")
    jogo.tecla("Escape")
    c.esperar(jogo, menu_em(1), "Escape there goes back to the menu", timeout=3)
    time.sleep(0.5)
    c.verificar(not jogo.terminou(), "and the game is still running")

    jogo.tecla("Escape", depois=0)
    codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape on the menu quits with code 0", f"got {codigo}")
    c.verificar(jogo.saida() == "", "nothing on standard output", repr(jogo.saida()))
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

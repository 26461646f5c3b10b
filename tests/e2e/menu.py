#!/usr/bin/env python3
"""The main menu as a player finds it: the arrows move the highlight along
the digits and down the items, CREDITS and RULES show their pages until
Escape, a digit opens the character selection (Escape comes back), and
Escape on the menu quits with code 0.

Every key is held until the screen shows its effect. A key that must do
nothing is held while a second key is pressed whose effect shows: the menu
clears every arrow in the pass that acts, so once the second key's effect
is seen the first one was read too, and it did nothing, or the highlight
would not be where the second key puts it.

    menu.py <build dir>
"""
from sessao import QUIT, Cenario, estado_menu, estado_selecao, tela_cheia

with Cenario("menu") as c:
    jogo = c.iniciar_jogo()
    jogo.abrir()

    def menu_em(item):
        return lambda t: estado_menu(c, t) == item

    c.esperar(jogo, menu_em(1), "the main menu opens with one player highlighted")

    def mover(teclas, item, texto):
        c.apertar(jogo, teclas, menu_em(item), texto)

    # Up from the items goes back to the digit last reached with Left or Right.
    for tecla, item in [("Right", 2), ("Right", 3), ("Left", 2), ("Down", 7), ("Down", 8), ("Down", QUIT)]:
        mover(tecla, item, f"{tecla} moves the highlight to item {item}")
    mover(["Down", "Up"], 8, "Down does nothing on QUIT; Up then goes to RULES")
    for tecla, item in [("Up", 7), ("Up", 2), ("Left", 1)]:
        mover(tecla, item, f"{tecla} moves the highlight to item {item}")
    mover(["Left", "Right"], 2, "Left does nothing on one player; Right then goes to two")
    for item in range(3, 7):
        mover("Right", item, f"Right moves the highlight to item {item}")
    mover(["Right", "Left"], 5, "Right stops at six players; Left then goes to five")

    # Credits and rules, each until Escape, which does not also quit. An
    # arrow held on the page does nothing there; after Escape it moves the
    # highlight from the item the page was opened from. Had the page gone
    # before Escape (by itself, or on the arrow), that Escape would have
    # quit from the menu.
    mover("Down", 7, "CREDITS highlighted")
    for item, pagina, nome, seta, depois in ((7, "bg_integrantes", "CREDITS", "Down", 8),
                                            (8, "bg_instrucoes", "RULES", "Up", 7)):
        c.apertar(jogo, "Return", tela_cheia(c, pagina), f"Enter on {nome} shows its page")
        mover([seta, "Escape"], depois, f"the {nome} page stays until Escape, {seta} held there; "
                                        f"back on the menu from {nome}, {seta} goes to {depois}")

    # A digit opens the selection; Escape there comes back to the menu.
    mover("Up", 5, "Up goes back to the five, the digit last reached")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()),
              "Enter on a digit opens the selection")
    # Right, with that Escape still held, moves the highlight: the menu read
    # the Escape and did not quit on it.
    with jogo.segurando("Escape"):
        c.esperar(jogo, menu_em(1), "Escape there goes back to the menu")
        mover("Right", 2, "and, held on, does not quit: Right moves to two players")

    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape on the menu quits with code 0", f"got {codigo}")
    c.verificar(jogo.saida() == "", "nothing on standard output", repr(jogo.saida()))
    c.verificar(jogo.erros() == "", "nothing on standard error", repr(jogo.erros()))

#!/usr/bin/env python3
"""The game with pictures missing or damaged, each run in its own copy of
the working folder: a folder without a level picture is no data folder,
refused in one line with code 1 before any window opens; a damaged level
picture ends the game with one clear line and exit code 1 when its level
loads (no crash); a menu picture it can do without is left out, named once
on standard error, and the game stays playable.

    figuras.py <build dir>
"""
import os
import struct
import subprocess

from sessao import Cenario, Falha, estado_menu, estado_selecao, no_nivel, sobreposta

VISUAL1 = "src/Img/Jogo/visual1.bmp"
COLISAO2 = "src/Img/Jogo/mapacolisao2.bmp"


def metade(dados):
    return dados[:len(dados) // 2]


def cabecalho_absurdo(dados):
    """A BMP header claiming a 60000 x 60000 picture over the original
    bytes: the kind of file that crashes inside the picture library when
    it is handed over unchecked."""
    cabecalho = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", len(dados), 0, 0, 54, 40, 60000, 60000, 1, 24, 0, 0,
                            2835, 2835, 0, 0)
    return cabecalho + dados[len(cabecalho):]


def na_selecao(c, jogo):
    """Main menu, one player: the character selection, where Enter loads level 1."""
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the character selection")


def termina_com_erro(c, jogo, tecla, caminho, como):
    """Holds `tecla` until the game ends, which must be with one line and code 1."""
    try:
        with jogo.segurando(tecla):
            codigo = jogo.esperar_fim()
    except Falha as f:
        c.verificar(False, f"{como}: the game ends", str(f))
        jogo.matar()
        return
    # Exactly 1: a crash ends by a signal (negative here) or another code.
    c.verificar(codigo == 1, f"{como}: the game exits with code 1", f"got {codigo}")
    esperado = f"avesso: cannot load the level picture {caminho} (missing or damaged)\n"
    c.verificar(jogo.erros() == esperado, f"{como}: standard error is the one line {esperado.strip()!r}",
                f"got {jogo.erros()!r}")


with Cenario("figuras") as c:
    # A level picture missing: the folder given is refused before any
    # window (with a window the game would wait for keys, and time out).
    for falta in (VISUAL1, COLISAO2):
        pasta = c.pasta_do_jogo(sem=[falta])
        r = subprocess.run([os.path.join(c.build, "avesso"), "--data", pasta],
                           env=dict(os.environ, DISPLAY=c.display), stdin=subprocess.DEVNULL,
                           capture_output=True, text=True, timeout=20)
        esperado = f"avesso: {pasta} (given by --data) does not hold the game's pictures (no {falta})\n"
        c.verificar(r.returncode == 1 and r.stderr == esperado,
                    f"without {os.path.basename(falta)}: refused in one line with code 1",
                    f"code {r.returncode}, {r.stderr!r}")

    # The same picture cut in half, or claiming a size it does not have.
    jogo = c.iniciar_jogo(c.pasta_do_jogo(trocados={VISUAL1: metade}))
    na_selecao(c, jogo)
    termina_com_erro(c, jogo, "Return", VISUAL1, "with visual1.bmp truncated")
    jogo = c.iniciar_jogo(c.pasta_do_jogo(trocados={VISUAL1: cabecalho_absurdo}))
    na_selecao(c, jogo)
    termina_com_erro(c, jogo, "Return", VISUAL1, "with visual1.bmp claiming 60000 x 60000 pixels")

    prompt = sobreposta(c, "enter")

    def na_espera(t):
        return prompt(t) and no_nivel(c, 1, limite_linhas=480)(t)

    def correndo(t):
        return not prompt(t) and no_nivel(c, 1)(t)

    # Level 2's collision picture damaged: found out when level 2 loads.
    jogo = c.iniciar_jogo(c.pasta_do_jogo(trocados={COLISAO2: metade}))
    na_selecao(c, jogo)
    c.apertar(jogo, "Return", na_espera, "level 1 is played as usual")
    c.apertar(jogo, "Return", correndo, "level 1's race starts")
    termina_com_erro(c, jogo, "F10", COLISAO2, "with mapacolisao2.bmp truncated")

    # No main menu background: the menu is drawn on black and still works.
    jogo = c.iniciar_jogo(c.pasta_do_jogo(sem=["src/Img/menu/menu.bmp"]))
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t, fundo=False) == 1,
              "without menu.bmp the menu items show on black")
    c.apertar(jogo, "Right", lambda t: estado_menu(c, t, fundo=False) == 2, "and Right still moves the highlight")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()),
              "Enter opens the selection for two players")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (2, 1, {0}), "player 2's turn")
    c.apertar(jogo, "Return", na_espera, "level 1 loads and waits at its prompt")
    primeira, _ = c.apertar(jogo, "Return", correndo, "level 1's race starts")
    c.esperar(jogo, lambda t: correndo(t) and t.rgb != primeira.rgb, "and runs")
    c.apertar(jogo, "Escape", lambda t: estado_menu(c, t, fundo=False) is not None, "Escape goes back to the menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "Escape quits with code 0", f"got {codigo}")
    # The menu opened twice; the missing picture is named once.
    esperado = "avesso: cannot load the picture src/Img/menu/menu.bmp (missing or damaged); going on without it\n"
    c.verificar(jogo.erros() == esperado, "standard error names the missing picture once", repr(jogo.erros()))

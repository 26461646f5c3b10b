#!/usr/bin/env python3
"""Fresh levels with --seed: --seed random prints the seed it drew, the window
opens on the loading picture while avesso-levels makes the three levels, then
the main menu; the first fresh level, painted as it loads, is on screen under
its Enter prompt; Escape leaves the race and quits cleanly. A second start
with the seed printed finds the same three levels made, and makes none.

    semente.py <build dir>
"""
import os
import re

from sessao import Cenario, Nivel, estado_menu, estado_selecao, sobreposta

with Cenario("semente") as c:
    # The game's cache, private to the scenario.
    cache = os.path.join(c.temp, "cache")
    os.environ["XDG_CACHE_HOME"] = cache
    novos = os.path.join(cache, "avesso", "novos")
    figuras = os.path.join(cache, "avesso", "figuras")
    prompt = sobreposta(c, "enter")

    def fresco():
        """The visual picture painted for the first fresh level: the only
        one in the cache once its level has loaded."""
        visuais = [n for n in os.listdir(figuras) if n.endswith("-visual.bmp")]
        c.verificar(len(visuais) == 1, "one fresh level painted so far", repr(visuais))
        return Nivel(os.path.join(figuras, visuais[0]))

    jogo = c.iniciar_jogo(argumentos=("--seed", "random"))
    jogo.abrir()
    c.esperar(jogo, sobreposta(c, "bg_carregando"), "the window opens on the loading picture")
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu once the levels are made", timeout=180)
    semente = re.match(r"seed (\d+)\n", jogo.saida())
    c.verificar(semente is not None, "--seed random prints the seed it drew, alone on its line", repr(jogo.saida()))
    semente = int(semente.group(1))
    feitos = sorted(os.listdir(novos))
    c.verificar([n.split("-")[0] for n in feitos] == [str(semente + i) for i in range(3)],
                "three levels made, from the seed and the two after it", repr(feitos))

    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "player 1 chooses a runner")
    tela, _ = c.apertar(jogo, "Return", prompt, "the first fresh level's Enter prompt", timeout=60)
    nivel = fresco()
    achado = nivel.janela(tela)
    c.verificar(achado is not None and achado[0] < 100 and achado[1] <= 150,
                "under the prompt, the start of the level painted from the first file", repr(achado), tela)
    c.apertar(jogo, "Return", lambda t: not prompt(t) and (nivel.janela(t) or (0, 481))[1] <= 200,
              "Enter starts its race")
    c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) == 1, "Escape leaves it for the main menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0 and jogo.erros() == "", "Escape quits cleanly", f"{codigo} {jogo.erros()!r}")

    # Again with the seed printed: the levels are found, not made anew.
    antes = {n: os.stat(os.path.join(novos, n)).st_ino for n in feitos}
    jogo = c.iniciar_jogo(argumentos=("--seed", str(semente)))
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "a second start with that seed opens on the main menu")
    depois = {n: os.stat(os.path.join(novos, n)).st_ino for n in os.listdir(novos)}
    c.verificar(depois == antes, "the levels made the first time are the ones played", repr(depois))
    c.verificar(jogo.saida() == "", "a seed given is not printed", repr(jogo.saida()))
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0 and jogo.erros() == "", "Escape quits cleanly", f"{codigo} {jogo.erros()!r}")

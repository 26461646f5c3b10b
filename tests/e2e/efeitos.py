#!/usr/bin/env python3
"""The sound effects are heard: with the music at 0 in the configuration
file, everything the game sends to the sound system is an effect, captured
to a WAV file. Two players start a race and both land; X flips player 1
up (heard); F12 with P mutes and pauses, and player 2's flip made in the
pause is not heard; F12 with P again brings the sound back with the
pause. Each sound is told by its length and by which way its pitch goes.
The muted flip is made in the pause, whose time the race does not count,
so the level's first seconds are all the scenario needs. Then the game
again with a sound device it cannot open: it plays silently, saying
nothing of its own about it.

    efeitos.py <build dir>
"""
import os
import struct

from sessao import Cenario, corredores, estado_menu, estado_selecao, no_nivel, sobreposta, tela_cheia

TAXA = 44100  # the mixer's rate, which the capture keeps


def ler_captura(caminho):
    """The capture as one mono list, from the data chunk to the end of the
    file: the file plugin may not have written the chunk's length."""
    with open(caminho, "rb") as f:
        dados = f.read()
    inicio = dados.find(b"data") + 8
    canais, = struct.unpack_from("<H", dados, 22)
    n = (len(dados) - inicio) // (2 * canais) * canais
    valores = struct.unpack_from(f"<{n}h", dados, inicio)
    return [sum(valores[i:i + canais]) / canais / 32768 for i in range(0, n, canais)]


def sons(amostras, limiar=0.002, pausa_ms=10):
    """The sounds in a capture that is silent between them: (start, end)
    sample indices, split at pausa_ms of near silence."""
    pausa = TAXA * pausa_ms // 1000
    achados, inicio, ultimo = [], None, None
    for i, a in enumerate(amostras):
        if abs(a) >= limiar:
            if inicio is None:
                inicio = i
            elif i - ultimo > pausa:
                achados.append((inicio, ultimo + 1))
                inicio = i
            ultimo = i
    if inicio is not None:
        achados.append((inicio, ultimo + 1))
    return achados


def cruzamentos(amostras, de, ate):
    n, sinal = 0, 0
    for a in amostras[de:ate]:
        s = (a > 0) - (a < 0)
        if s and sinal and s != sinal:
            n += 1
        if s:
            sinal = s
    return n / max(1, ate - de)


def descrever(amostras, som):
    """(length in ms, 'sobe', 'desce' or '=' for where its pitch goes)."""
    de, ate = som
    terco = (ate - de) // 3
    antes, depois = cruzamentos(amostras, de, de + terco), cruzamentos(amostras, ate - terco, ate)
    rumo = "sobe" if depois > 1.25 * antes else "desce" if depois < antes / 1.25 else "="
    return round((ate - de) * 1000 / TAXA), rumo


def e_virada(descricao, jogador):
    """A flip up of `jogador` (1 or 2): 140 ms at player 1's pitch, player
    2's two semitones higher and so shorter."""
    ms, rumo = descricao
    return abs(ms - 140 / 2 ** ((jogador - 1) * 2 / 12)) <= 6 and rumo == "sobe"


with Cenario("efeitos") as c:
    pasta = c.pasta_do_jogo()
    configuracao = os.path.join(pasta, "home", ".config", "avesso")
    os.makedirs(configuracao)
    with open(os.path.join(configuracao, "avesso.cfg"), "w") as f:
        f.write("[sound]\nmusic = 0\n")
    jogo = c.iniciar_jogo(pasta)
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu")
    c.apertar(jogo, "Right", lambda t: estado_menu(c, t) == 2, "two players")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the selection")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (2, 1, {0}), "player 1 takes the first runner")
    prompt = sobreposta(c, "enter")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t),
              "player 2 takes the second; level 1's prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "the race starts")

    corrida = corredores(c, 1, ["player 1a.bmp", "player 2a.bmp"])
    lidas = []

    def pousados(tela):
        # Three readings in a row with both runners still while the view
        # moves on: they stand.
        r = corrida(tela)
        lidas.append(r)
        if len(lidas) < 3 or not all(lidas[-3:]) or lidas[-3][0] == lidas[-1][0]:
            return None
        if any(abs(a - b) >= 3 for l in lidas[-3:] for a, b in zip(l[1], lidas[-1][1])):
            return None
        return lidas[-1][1]

    _, em_pe = c.esperar(jogo, pousados, "both runners land")

    def subiu(i):
        return lambda tela: (corrida(tela) or (0, [1e9, 1e9]))[1][i] < em_pe[i] - 40

    pausa = tela_cheia(c, "pause")
    c.apertar(jogo, "x", subiu(0), "X flips player 1 up")
    # F12 is read just before P on the frame's look at the keys: the pause
    # showing means the mute was taken first.
    c.apertar(jogo, ["F12", "p"], pausa, "F12 and P: muted and paused")
    c.apertar(jogo, ["m", "p"], subiu(1), "M in the pause flips player 2 up, seen once P resumes")
    c.apertar(jogo, ["F12", "p"], pausa, "F12 and P: sound back, paused")
    c.apertar(jogo, "p", no_nivel(c, 1), "P: the race again")
    c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) is not None, "Escape back to the menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "the game quits with code 0", f"got {codigo}")

    if c.verificar(os.path.exists(jogo.wav), "the game opened the sound device and wrote to it"):
        amostras = ler_captura(jogo.wav)
        achados = [descrever(amostras, s) for s in sons(amostras)]
        c.log(f"captured {len(amostras) / TAXA:.1f} s; sounds (ms, pitch): {achados}")
        c.verificar(len([a for a in achados if e_virada(a, 1)]) == 1, "player 1's flip up is heard", str(achados))
        c.verificar(not any(e_virada(a, 2) for a in achados), "player 2's flip, muted, is not", str(achados))
        # The pause opening and closing, 200 ms each: only the second pause.
        c.verificar([r for ms, r in achados if abs(ms - 200) <= 6] == ["desce", "sobe"],
                    "only the second pause is heard, opening and closing", str(achados))

    # No sound device: every effect's moment comes and goes in silence.
    jogo = c.iniciar_jogo(som=False)
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "without a sound device: the main menu")
    c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the selection")
    c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t), "level 1's prompt")
    c.apertar(jogo, "Return", lambda t: not prompt(t), "the race starts")
    c.apertar(jogo, "p", pausa, "P pauses")
    c.apertar(jogo, "p", lambda t: not pausa(t), "P resumes")
    c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) is not None, "Escape back to the menu")
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "the game quits with code 0", f"got {codigo}")
    c.verificar(jogo.erros() == "", "nothing on standard error but the sound library's own lines", repr(jogo.erros()))

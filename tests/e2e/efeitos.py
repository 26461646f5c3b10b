#!/usr/bin/env python3
"""The sound effects are heard: with the music at 0 in the configuration
file, everything the game sends to the sound system, captured to a WAV
file, is an effect, told by its length and the way its pitch goes. Two
players land; X flips player 1 up (heard); F12 with P mutes and pauses,
and player 2's flip made in the pause (time the race does not count) is
not heard; F12 with P again brings the sound back with the pause. Then,
with a sound device it cannot open, the game plays silently and says
nothing of its own.

    efeitos.py <build dir>
"""
import os
import struct

from sessao import Cenario, corredores, estado_menu, estado_selecao, no_nivel, sobreposta, tela_cheia

TAXA = 44100  # the mixer's rate, which the capture keeps


def sons(caminho, limiar=0.002, pausa=TAXA // 100):
    """(length in ms, "sobe", "desce" or "=": where its pitch goes) of each
    sound in a capture silent between them, split at 10 ms of silence. The
    data chunk runs to the end of the file, whatever its length says."""
    with open(caminho, "rb") as f:
        dados = f.read()
    inicio, (canais,) = dados.find(b"data") + 8, struct.unpack_from("<H", dados, 22)
    n = (len(dados) - inicio) // (2 * canais)
    a = struct.unpack_from(f"<{n * canais}h", dados, inicio)[::canais]
    altos = [i for i in range(n) if abs(a[i]) >= limiar * 32768]
    trechos = [[altos[0], altos[0]]] if altos else []
    for i in altos[1:]:
        if i - trechos[-1][1] > pausa:
            trechos.append([i, i])
        trechos[-1][1] = i

    def cruzamentos(de, ate):
        sinais = [x > 0 for x in a[de:ate] if x]
        return sum(p != q for p, q in zip(sinais, sinais[1:])) / max(1, ate - de)

    achados = []
    for de, ate in trechos:
        terco = (ate - de) // 3
        antes, depois = cruzamentos(de, de + terco), cruzamentos(ate - terco, ate)
        achados.append((round((ate - de) * 1000 / TAXA),
                        "sobe" if depois > 1.25 * antes else "desce" if depois < antes / 1.25 else "="))
    return achados


def virada(som, jogador):
    """A flip up of player 1 or 2: 140 ms, player 2's two semitones higher and so shorter."""
    return abs(som[0] - 140 / 2 ** ((jogador - 1) / 6)) <= 6 and som[1] == "sobe"


with Cenario("efeitos") as c:
    pasta = c.pasta_do_jogo()
    os.makedirs(os.path.join(pasta, "home", ".config", "avesso"))
    with open(os.path.join(pasta, "home", ".config", "avesso", "avesso.cfg"), "w") as f:
        f.write("[sound]\nmusic = 0\n")
    prompt, pausa = sobreposta(c, "enter"), tela_cheia(c, "pause")

    def ate_a_corrida(jogo, jogadores):
        jogo.abrir()
        c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu")
        if jogadores == 2:
            c.apertar(jogo, "Right", lambda t: estado_menu(c, t) == 2, "two players")
        c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (1, 0, set()), "the selection")
        for j in range(1, jogadores):
            c.apertar(jogo, "Return", lambda t: estado_selecao(c, t) == (j + 1, j, set(range(j))),
                      f"player {j} chooses")
        c.apertar(jogo, "Return", lambda t: prompt(t) and no_nivel(c, 1, limite_linhas=480)(t), "level 1's prompt")
        c.apertar(jogo, "Return", lambda t: not prompt(t) and no_nivel(c, 1)(t), "the race starts")

    def sair(jogo):
        c.apertar(jogo, "Escape", lambda t: estado_menu(c, t) is not None, "Escape back to the menu")
        with jogo.segurando("Escape"):
            codigo = jogo.esperar_fim()
        c.verificar(codigo == 0, "the game quits with code 0", f"got {codigo}")

    jogo = c.iniciar_jogo(pasta)
    ate_a_corrida(jogo, 2)
    corrida = corredores(c, 1, ["player 1a.bmp", "player 2a.bmp"])
    lidas = []

    def pousados(tela):
        # Three readings with both runners still while the view moves on.
        lidas.append(corrida(tela))
        ultimas = lidas[-3:]
        if len(ultimas) < 3 or not all(ultimas) or ultimas[0][0] == ultimas[2][0]:
            return None
        return all(abs(a - b) < 3 for l in ultimas for a, b in zip(l[1], ultimas[2][1])) and ultimas[2][1]

    _, em_pe = c.esperar(jogo, pousados, "both runners land")

    def subiu(i):
        return lambda tela: (corrida(tela) or (0, [1e9, 1e9]))[1][i] < em_pe[i] - 40

    c.apertar(jogo, "x", subiu(0), "X flips player 1 up")
    # F12 is read just before P on the frame's look at the keys: the pause
    # showing means the mute was taken first.
    c.apertar(jogo, ["F12", "p"], pausa, "F12 and P: muted and paused")
    c.apertar(jogo, ["m", "p"], subiu(1), "M in the pause flips player 2 up, seen once P resumes")
    c.apertar(jogo, ["F12", "p"], pausa, "F12 and P: sound back, paused")
    c.apertar(jogo, "p", no_nivel(c, 1), "P: the race again")
    sair(jogo)
    if c.verificar(os.path.exists(jogo.wav), "the game opened the sound device and wrote to it"):
        achados = sons(jogo.wav)
        c.log(f"sounds captured (ms, pitch): {achados}")
        c.verificar(len([s for s in achados if virada(s, 1)]) == 1, "player 1's flip up is heard", str(achados))
        c.verificar(not any(virada(s, 2) for s in achados), "player 2's flip, muted, is not", str(achados))
        c.verificar([r for ms, r in achados if abs(ms - 200) <= 6] == ["desce", "sobe"],
                    "only the second pause is heard, opening and closing (200 ms each)", str(achados))

    jogo = c.iniciar_jogo(som=False)
    ate_a_corrida(jogo, 1)
    c.apertar(jogo, "p", pausa, "without a sound device: P pauses")
    c.apertar(jogo, "p", lambda t: not pausa(t), "P resumes")
    sair(jogo)
    c.verificar(jogo.erros() == "", "nothing on standard error but the sound library's own lines", repr(jogo.erros()))

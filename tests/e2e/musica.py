#!/usr/bin/env python3
"""The music plays: what the game sends to the sound system while its menu
is open is captured to a WAV file and must not be silent.

    musica.py <build dir>
"""
import os
import re
import subprocess
import time

from sessao import Cenario, estado_menu

with Cenario("musica") as c:
    if not os.path.exists(os.path.join(c.build, "freepats", "default.cfg")):
        c.verificar(False, "the build linked no General MIDI patches (install freepats and rebuild)")
    jogo = c.iniciar_jogo()
    jogo.abrir()
    c.esperar(jogo, lambda t: estado_menu(c, t) == 1, "the main menu")
    time.sleep(4)  # music for the capture; nothing below depends on its length
    with jogo.segurando("Escape"):
        codigo = jogo.esperar_fim()
    c.verificar(codigo == 0, "the game quits with code 0", f"got {codigo}")

    if c.verificar(os.path.exists(jogo.wav), "the game opened the sound device and wrote to it"):
        stat = subprocess.run(["sox", jogo.wav, "-n", "stat"], capture_output=True, text=True, timeout=60).stderr

        def valor(nome):
            m = re.search(rf"^{nome}:\s+([-0-9.e]+)", stat, re.M)
            return float(m.group(1)) if m else 0.0
        segundos, pico, rms = valor("Length \\(seconds\\)"), valor("Maximum amplitude"), valor("RMS     amplitude")
        c.log(f"captured {segundos:.1f} s, peak {pico:.3f}, RMS {rms:.4f}")
        c.verificar(segundos >= 1.0, "at least a second of sound was captured", stat)
        # The music peaks around 0.5 and averages near 0.08; silence is 0.
        c.verificar(pico > 0.05 and rms > 0.005, "the captured sound is not silent", stat)

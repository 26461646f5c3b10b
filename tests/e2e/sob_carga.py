#!/usr/bin/env python3
"""The end-to-end scenarios on a starved machine: runs CTest's e2e label N
times while CPU hogs keep every core busy and a freezer stops each game
process this run started (and only those) at random moments for 100 to
400 ms, every 0.2 to 0.9 s. Prints passes and failures per scenario.

    sob_carga.py <build dir> [runs, default 10] [hogs, default one per core]

The exit code is 0 only when every run of every scenario passed.
"""
import os
import random
import re
import signal
import subprocess
import sys
import threading
import time
from collections import defaultdict


def descendentes(raiz):
    """Pids of every process below `raiz`, read from /proc."""
    filhos = defaultdict(list)
    for nome in os.listdir("/proc"):
        if not nome.isdigit():
            continue
        try:
            with open(f"/proc/{nome}/stat") as f:
                campos = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        filhos[int(campos[1])].append(int(nome))
    saida, fila = [], [raiz]
    while fila:
        for filho in filhos[fila.pop()]:
            saida.append(filho)
            fila.append(filho)
    return saida


def e_o_jogo(pid):
    try:
        with open(f"/proc/{pid}/comm") as f:
            return f.read().strip() == "avesso"
    except OSError:
        return False


def congelador(raiz, parar, contagem):
    """Stops and resumes the game processes below `raiz` until `parar` is set."""
    sorteio = random.Random(os.getpid())
    congelados = set()
    try:
        while not parar.wait(sorteio.uniform(0.2, 0.9)):
            jogos = [p for p in descendentes(raiz) if e_o_jogo(p)]
            for p in jogos:
                try:
                    os.kill(p, signal.SIGSTOP)
                    congelados.add(p)
                except ProcessLookupError:
                    pass
            if jogos:
                contagem[0] += 1
            time.sleep(sorteio.uniform(0.1, 0.4))
            for p in list(congelados):
                try:
                    os.kill(p, signal.SIGCONT)
                except ProcessLookupError:
                    pass
                congelados.discard(p)
    finally:
        for p in congelados:
            try:
                os.kill(p, signal.SIGCONT)
            except ProcessLookupError:
                pass


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    vezes = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    porcos = int(sys.argv[3]) if len(sys.argv) > 3 else os.cpu_count() or 2

    hogs = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(porcos)]
    resultados = defaultdict(lambda: [0, 0])
    congelamentos = [0]
    try:
        for vez in range(1, vezes + 1):
            inicio = time.monotonic()
            ctest = subprocess.Popen(["ctest", "-L", "e2e", "--output-on-failure"], cwd=build,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            parar = threading.Event()
            fio = threading.Thread(target=congelador, args=(ctest.pid, parar, congelamentos))
            fio.start()
            saida = ctest.communicate()[0]
            parar.set()
            fio.join()
            falhas = []
            for nome, estado in re.findall(r"Test\s+#\d+: (\S+) \.+[ *]*(Passed|Failed|Timeout|\S+)", saida):
                ok = estado == "Passed"
                resultados[nome][0 if ok else 1] += 1
                if not ok:
                    falhas.append(nome)
            print(f"run {vez}/{vezes}: {time.monotonic() - inicio:.0f} s, "
                  f"{'all passed' if not falhas else 'FAILED ' + ', '.join(falhas)}", flush=True)
            for linha in saida.splitlines():
                if linha.startswith("FAILED: "):
                    print("    " + linha, flush=True)
    finally:
        for h in hogs:
            h.kill()
            h.wait()

    print(f"\n{porcos} CPU hogs, {congelamentos[0]} freezes of the game")
    print(f"{'scenario':<16}{'passed':>8}{'failed':>8}")
    for nome in sorted(resultados):
        passou, falhou = resultados[nome]
        print(f"{nome:<16}{passou:>8}{falhou:>8}")
    sys.exit(1 if any(f for _, f in resultados.values()) or not resultados else 0)


if __name__ == "__main__":
    main()

#!/usr/bin/env bash
# Without a display the game cannot open its window: it must say so in one
# line and exit with code 1, not go on to install the keyboard after a failed
# start-up, which crashes.
#   sem_tela.sh <game executable>
set -u
erros="$(mktemp)"
trap 'rm -f "$erros"' EXIT
env -u DISPLAY "$1" >/dev/null 2>"$erros"
codigo=$?
linhas=$(wc -l <"$erros")
if [ "$codigo" -ne 1 ] || [ "$linhas" -ne 1 ] || ! grep -q '^avesso: cannot start' "$erros"; then
  echo "expected one 'avesso: cannot start ...' line and exit code 1; got code $codigo and:" >&2
  cat "$erros" >&2
  exit 1
fi
echo "ok: $(cat "$erros")"

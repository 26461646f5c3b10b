#!/usr/bin/env bash
# Figures, not pass/fail: the frame periods of level 1 with six runners in
# the game's real window, and the level build time a player sees.
#   tests/e2e/medir.sh [build dir] [file for every frame's period]
# The build dir (default build-e2e) must hold the game's pictures, as the
# `all` build leaves them; the program runs there, under its own Xvfb.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$raiz/build-e2e}" && pwd)"
periodos="${2:-}"
[ -n "$periodos" ] && periodos="$(cd "$(dirname "$periodos")" && pwd)/$(basename "$periodos")"

if [ ! -x "$build/bench/periodo_quadros" ]; then
  echo "medir.sh: $build/bench/periodo_quadros is not built (cmake --build $build --target periodo_quadros)" >&2
  exit 1
fi

# Silent sound setup, as in the scenarios: ALSA's complaints about a missing
# card would only clutter the figures.
casa="$(mktemp -d)"
trap 'rm -rf "$casa"' EXIT
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$casa/.asoundrc"

cd "$build"
# As run.sh starts the game.
export GLIBC_TUNABLES=glibc.malloc.hugetlb=1
HOME="$casa" xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" \
  ./bench/periodo_quadros ${periodos:+"$periodos"} 2> >(grep -v '^ALSA lib ' >&2)

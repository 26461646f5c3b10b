#!/usr/bin/env bash
# Figures, not pass/fail: the frame periods of level 1 with six runners in
# the game's real window, with the game's wait beside a busy wait, and
# the level build times a player sees; then the builds again without the
# huge pages run.sh asks malloc for, to show what they are worth.
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
medir() {
  HOME="$casa" xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" \
    ./bench/periodo_quadros "$@" 2> >(grep -v '^ALSA lib ' >&2)
}
# As run.sh starts the game.
echo "== with GLIBC_TUNABLES=glibc.malloc.hugetlb=1, as run.sh starts the game"
GLIBC_TUNABLES=glibc.malloc.hugetlb=1 medir ${periodos:+"$periodos"}
echo "== without it"
medir --so-montagem

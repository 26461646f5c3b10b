#!/usr/bin/env bash
# Sets up everything the game needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DAVESSO_TESTES=OFF >/dev/null
cmake --build build -j2
# Building a level takes 140 MB; with huge pages for all of malloc's heap a
# build from the level's files took about half as long (the game itself asks
# for them only for its level-size bitmaps).
export GLIBC_TUNABLES=glibc.malloc.hugetlb=1
# The game reads its pictures and music relative to where it runs.
cd build && exec ./avesso

#!/usr/bin/env bash
# Sets up everything the game needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DAVESSO_TESTES=OFF >/dev/null
cmake --build build -j2
# The game reads its pictures and music relative to where it runs.
cd build && exec ./avesso

#!/usr/bin/env bash
# Sets up everything, builds the game with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/dependencias.sh testes
cmake -S . -B build-testes -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAVESSO_TESTES=ON >/dev/null
cmake --build build-testes -j2
cd build-testes && ctest --output-on-failure -j2 "$@"

#!/usr/bin/env bash
# Installs the Debian packages the game needs that are missing.
#   scripts/dependencias.sh          what building and playing needs
#   scripts/dependencias.sh testes   also what the tests need (Xvfb, xdotool, ...)
set -euo pipefail

pacotes=(build-essential cmake pkg-config liballegro4-dev libasound2-dev freepats)
if [ "${1:-}" = testes ]; then
  pacotes+=(libgtest-dev libbenchmark-dev xvfb xdotool imagemagick timidity sox python3 evilwm lintian appstream desktop-file-utils)
fi

faltando=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltando+=("$p")
done
[ ${#faltando[@]} -eq 0 ] && exit 0

echo "Installing: ${faltando[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${faltando[@]}"

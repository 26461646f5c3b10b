#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` from the build folder makes a .deb that
# depends on the Allegro 4 runtime and on freepats, installs the program in
# /usr/games, the data in /usr/share/games/avesso, the menu entry naming
# /usr/games/avesso, the icon, the manual page, the copyright file, the
# changelog and the AppStream metainfo; lintian finds no error and no
# warning in it, and appstreamcli none in its metainfo.
#   pacote.sh <cpack> <build dir>
set -u
cpack="$1"
build="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
falhas=0
falha() { echo "FAILED: $*" >&2; falhas=1; }

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  echo "FAILED: cpack -G DEB" >&2
  exit 1
fi
deb="$(ls "$tmp"/*.deb)"
echo "built $(basename "$deb")"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for p in liballegro4.4 freepats; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || falha "Depends does not name $p"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || falha "Section is not games"

conteudo="$(dpkg-deb -c "$deb")"
metainfo=./usr/share/metainfo/invalid.avesso.Avesso.metainfo.xml
for f in ./usr/games/avesso ./usr/share/games/avesso/src/Img/menu/menu.bmp \
         ./usr/share/games/avesso/src/Img/Jogo/visual1.bmp ./usr/share/games/avesso/principal1.mid \
         ./usr/share/games/avesso/sons/virar_teto.wav \
         "./usr/share/games/avesso/freepats/default.cfg -> /etc/timidity/freepats.cfg" \
         "./usr/share/games/avesso/freepats/Tone_000 -> ../../../midi/freepats/Tone_000" \
         ./usr/share/applications/avesso.desktop ./usr/share/icons/hicolor/64x64/apps/avesso.png \
         ./usr/share/man/man6/avesso.6.gz ./usr/share/man/man6/avesso-levels.6.gz ./usr/share/doc/avesso/copyright ./usr/share/doc/avesso/changelog.gz \
         "$metainfo"; do
  grep -Fq " $f" <<<"$conteudo" || falha "the package lacks $f"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/avesso.desktop | grep -qx 'Exec=/usr/games/avesso --scale auto' ||
  falha "the menu entry does not start /usr/games/avesso --scale auto"
grep -Fq " ./usr/games/avesso-levels" <<<"$conteudo" || falha "the package lacks ./usr/games/avesso-levels"
[ "$falhas" -eq 0 ] && echo "ok: the package's dependencies and files"

# What Debian's own tools say of it.
for programa in lintian appstreamcli; do
  if ! command -v "$programa" >/dev/null; then
    echo "FAILED: missing $programa: scripts/dependencias.sh testes installs it" >&2
    exit 1
  fi
done
if lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1; then
  echo "ok: lintian finds no error and no warning"
else
  grep -E '^[EW]: ' "$tmp/lintian.log" >&2 || cat "$tmp/lintian.log" >&2
  falha "lintian finds errors or warnings"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO "$metainfo" >"$tmp/avesso.metainfo.xml"
if appstreamcli validate --no-net "$tmp/avesso.metainfo.xml" >"$tmp/appstream.log" 2>&1; then
  echo "ok: appstreamcli validates the metainfo"
else
  cat "$tmp/appstream.log" >&2
  falha "appstreamcli refuses the metainfo"
fi
exit "$falhas"

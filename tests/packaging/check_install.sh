#!/usr/bin/env bash
# Installs the game into a scratch prefix, builds its Debian package from the same
# (release) build, and checks that both hold what a desktop needs in the standard
# places, that the files validate, that lintian reports no error and no warning, and
# that the packaged game opens its window on an X server.
# Usage: check_install.sh BUILD_DIR ICON_SIZE...
set -euo pipefail
build=$1
shift
icon_sizes=("$@")
((${#icon_sizes[@]} > 0)) || { echo "usage: check_install.sh BUILD_DIR ICON_SIZE..." >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
with_xvfb="$here/../../tools/with-xvfb.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=io.github.zemkari.Zemkari
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=(
  games/zemkari
  bin/zemkari-replay
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/man/man6/zemkari.6.gz
  share/man/man1/zemkari-replay.1.gz
  share/doc/zemkari/copyright
  share/doc/zemkari/changelog.gz
)
for size in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done

# cmake --install
cmake --install "$build" --prefix "$work/root" >/dev/null
for f in "${expected[@]}"; do [[ -f $work/root/$f ]] || fail "installed tree lacks $f"; done
[[ -x $work/root/games/zemkari ]] || fail "games/zemkari is not executable"
entry="$work/root/share/applications/$id.desktop"
desktop-file-validate "$entry" || fail "desktop entry does not validate"
grep -qx "Exec=$work/root/games/zemkari" "$entry" || fail "desktop entry does not start the installed game: $(grep Exec= "$entry")"
appstreamcli validate --no-net --pedantic "$work/root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo does not validate"
grep -qx 'Categories=Game;StrategyGame;' "$entry" || fail "not in the Game category"
for size in "${icon_sizes[@]}"; do
  dims=$(file -b "$work/root/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [[ $dims == *"$size x $size"* ]] || fail "icon ${size}x${size} is $dims"
done

# cpack
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
mapfile -t debs < <(find "$work/package" -maxdepth 1 -name '*.deb')
((${#debs[@]} == 1)) || { fail "cpack made ${#debs[@]} packages, not one"; exit 1; }
deb=${debs[0]}
[[ $(basename "$deb") == zemkari_*_amd64.deb || $(basename "$deb") == zemkari_*_"$(dpkg --print-architecture)".deb ]] ||
  fail "package file name $(basename "$deb")"
listing=$(dpkg-deb -c "$deb")
for f in "${expected[@]}"; do grep -q "\./usr/$f\$" <<<"$listing" || fail "package lacks /usr/$f"; done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt Widgets library: $depends"
grep -q 'libc6' <<<"$depends" || fail "Depends lacks libc6: $depends"
grep -q 'qt6-qpa-plugins' <<<"$depends" || fail "Depends lacks the Qt window-system plugins: $depends"
[[ $(dpkg-deb -f "$deb" Package) == zemkari ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section"

# lintian as installed, with its default profile; any error or warning fails.
if ! lintian --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 || grep -qE '^[EW]: ' "$work/lintian.txt"; then
  cat "$work/lintian.txt"
  fail "lintian reports errors or warnings"
fi

dpkg-deb -x "$deb" "$work/unpacked"
game="$work/unpacked/usr/games/zemkari"
desktop-file-validate "$work/unpacked/usr/share/applications/$id.desktop" || fail "packaged desktop entry"
grep -qx 'Exec=/usr/games/zemkari' "$work/unpacked/usr/share/applications/$id.desktop" ||
  fail "packaged desktop entry does not start /usr/games/zemkari"
for program in "$game" "$work/unpacked/usr/bin/zemkari-replay"; do
  [[ $(file -b "$program") == *", stripped"* ]] || fail "$program is not stripped: $(file -b "$program")"
done

# The packaged game opens its window: started on a private X server, it must map a
# top-level window named Zemkari, then it is closed.
# shellcheck disable=SC2016
if ! QT_QPA_PLATFORM=xcb "$with_xvfb" bash -c '
  game=$1
  "$game" >"$2" 2>&1 &
  pid=$!
  for ((i = 0; i < 600; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && status=0 || status=$?
      echo "the packaged game exited with status $status before its window showed"
      exit 1
    fi
    if xwininfo -name Zemkari 2>/dev/null | grep -q "Map State: IsViewable"; then
      kill -TERM "$pid"
      wait "$pid" || true
      exit 0
    fi
    sleep 0.1
  done
  kill -KILL "$pid"
  echo "the packaged game showed no window within a minute"
  exit 1' bash "$game" "$work/game.log"; then
  cat "$work/game.log"
  fail "the packaged game did not open its window"
fi

((failures == 0)) && echo "install tree and package: all checks passed"
exit $((failures > 0))

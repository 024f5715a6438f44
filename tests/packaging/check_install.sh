#!/usr/bin/env bash
# Installs the game into a scratch prefix, builds its Debian package, and checks that
# both hold what a desktop needs, in the standard places, and that the files validate.
# Usage: check_install.sh BUILD_DIR ICON_SIZE...
set -euo pipefail
build=$1
shift
icon_sizes=("$@")
((${#icon_sizes[@]} > 0)) || { echo "usage: check_install.sh BUILD_DIR ICON_SIZE..." >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=io.github.zemkari.Zemkari
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expected=(
  bin/zemkari
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
)
for size in "${icon_sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done

# cmake --install
cmake --install "$build" --prefix "$work/root" >/dev/null
for f in "${expected[@]}"; do [[ -f $work/root/$f ]] || fail "installed tree lacks $f"; done
[[ -x $work/root/bin/zemkari ]] || fail "bin/zemkari is not executable"
desktop-file-validate "$work/root/share/applications/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$work/root/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "metainfo does not validate"
grep -qx 'Categories=Game;StrategyGame;' "$work/root/share/applications/$id.desktop" || fail "not in the Game category"
for size in "${icon_sizes[@]}"; do
  dims=$(file -b "$work/root/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [[ $dims == *"$size x $size"* ]] || fail "icon ${size}x${size} is $dims"
done

# cpack
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
[[ -n $deb ]] || { fail "cpack made no .deb"; exit 1; }
listing=$(dpkg-deb -c "$deb")
for f in "${expected[@]}"; do grep -q "\./usr/$f\$" <<<"$listing" || fail "package lacks /usr/$f"; done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks the Qt Widgets library: $depends"
grep -q 'libc6' <<<"$depends" || fail "Depends lacks libc6: $depends"
grep -q 'qt6-qpa-plugins' <<<"$depends" || fail "Depends lacks the Qt window-system plugins: $depends"
[[ $(dpkg-deb -f "$deb" Package) == zemkari ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section"
dpkg-deb -x "$deb" "$work/unpacked"
desktop-file-validate "$work/unpacked/usr/share/applications/$id.desktop" || fail "packaged desktop entry"

((failures == 0)) && echo "install tree and package: all checks passed"
exit $((failures > 0))

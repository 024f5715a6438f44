#!/usr/bin/env bash
# Regenerates docs/screenshots/*.png: the real window on a private X server with openbox
# as the window manager, in each scene of tools/screenshots/scenes.txt.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cmake --preset dev >/dev/null
cmake --build --preset dev --target zemkari_screenshot
mkdir -p docs/screenshots

script="$(mktemp)"
trap 'rm -f "$script"' EXIT
while read -r name scale commands; do
  tr ';' '\n' <<<"$commands" >"$script"
  # A screen of `scale` device pixels per pixel of the window, the window drawn at that
  # density.
  with_window_manager "$((1024 * scale))x$((768 * scale))x24 -dpi 96" env QT_SCALE_FACTOR="$scale" \
    build/dev/tools/screenshots/zemkari_screenshot "$script" "docs/screenshots/$name.png" </dev/null
  echo "docs/screenshots/$name.png"
done < <(grep -v -e '^#' -e '^[[:space:]]*$' tools/screenshots/scenes.txt)

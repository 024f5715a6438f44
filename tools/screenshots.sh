#!/bin/sh
# Regenerates docs/screenshots/*.png: the real window under Xvfb with openbox as the
# window manager, in the scenes of tests/ui/screenshot_scenes.cpp.
set -eu
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target zemkari_screenshot
mkdir -p docs/screenshots
for scene in start midday limit-up margin-call; do
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    ./build/dev/tests/ui/zemkari_screenshot "$1" "$2"
    status=$?
    kill $wm
    exit $status' sh "$scene" "docs/screenshots/$scene.png"
  echo "docs/screenshots/$scene.png"
done

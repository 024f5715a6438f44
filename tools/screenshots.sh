#!/bin/sh
# Regenerates docs/screenshots/*.png: the real window on a private X server
# (tools/with-xvfb.sh) with openbox as the window manager, in the scenes of
# tests/ui/screenshot_scenes.cpp.
set -eu
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target zemkari_screenshot
mkdir -p docs/screenshots

# capture SCENE OUTPUT SCREEN [VARIABLE=VALUE...]: the environment is the window's.
capture() {
  scene=$1 output=$2 screen=$3
  shift 3
  tools/with-xvfb.sh -s "-screen 0 $screen" env "$@" sh -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    # The window manager has taken over once it names itself on the root window.
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
      kill -0 $wm 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
      sleep 0.1
    done
    ./build/dev/tests/ui/zemkari_screenshot "$1" "$2"
    status=$?
    kill $wm
    exit $status' sh "$scene" "$output"
  echo "$output"
}

for scene in start midday limit-up margin-call; do
  capture "$scene" "docs/screenshots/$scene.png" "1024x768x24 -dpi 96"
done
# A high-density screen: the whole window at twice as many pixels each way.
capture midday docs/screenshots/midday-2x.png "2048x1536x24 -dpi 96" QT_SCALE_FACTOR=2

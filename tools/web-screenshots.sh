#!/bin/sh
# Regenerates docs/screenshots/web-*.png: the browser page in headless Chromium, in the
# scenes of the window's screenshots (tools/screenshots.sh), its game area only.
set -eu
cd "$(dirname "$0")/.."
cmake --preset web >/dev/null
cmake --build --preset web
cmake --preset dev >/dev/null
cmake --build --preset dev --target zemkari-replay
mkdir -p docs/screenshots
/usr/bin/python3 tests/web/screenshot_scenes.py build/web/site build/dev/replay/zemkari-replay docs/screenshots

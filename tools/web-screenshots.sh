#!/usr/bin/env bash
# Regenerates docs/screenshots/web-*.png: the browser page in headless Chromium, in each
# scene of tools/screenshots/scenes.txt, its game area only; and *-midday.png, the first
# screen of a phone upright and turned, a small phone and a tablet with a day in
# progress (tools/screenshots/page_scenes.py).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build_web
mkdir -p docs/screenshots
browser_python tools/screenshots/page_scenes.py build/web/site tools/screenshots/scenes.txt docs/screenshots

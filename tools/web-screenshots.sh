#!/usr/bin/env bash
# Regenerates docs/screenshots/web-*.png: the browser page in headless Chromium, in each
# scene of tools/screenshots/scenes.txt, its game area only; and *-midday.png, the first
# screen of a phone upright and turned, a small phone and a tablet with a day in
# progress (tools/screenshots/page_scenes.py).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build_web
cmake --preset dev >/dev/null
cmake --build --preset dev --target web_design_facts
mkdir -p docs/screenshots
ZEMKARI_DESIGN_FACTS=build/dev/tests/web/design_facts.json browser_python tools/screenshots/page_scenes.py build/web/site tools/screenshots/scenes.txt docs/screenshots

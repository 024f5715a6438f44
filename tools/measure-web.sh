#!/usr/bin/env bash
# Measures the browser page and writes its tables in docs/performance.md ("The browser
# page"): the site's size as a visit transfers it, navigation to the first rendered
# board as a ratio to a page with the same font and one label, on a desktop screen and
# on a phone's, the median time of a tick's work in the page, and what keeping and
# resuming the game's snapshot cost the page, all in Debian's headless Chromium
# (tools/zemkari_tools/measure_page.py). tools/lighthouse.sh writes Lighthouse's scores
# beside them.
# Timings are never asserted by the test suite; this script reports them and
# tools/zemkari_tools/web_performance.py judges them and writes their tables.
# Exits non-zero when a figure misses its bound.
#
# Usage: tools/measure-web.sh [runs]   (default 15 loads of each page)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-15}"

build_web
result="$(browser_python -m zemkari_tools.measure_page build/web/site "$runs")"

browser_python -m zemkari_tools.web_performance "$result" "$runs" docs/performance.md

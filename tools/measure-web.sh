#!/usr/bin/env bash
# Measures the browser page and writes its section of docs/performance.md ("The browser
# page"): the site's size as a visit transfers it, navigation to the first rendered
# board as a ratio to a page with the same font and one label, on a desktop screen and
# on a phone's, and the median time of a tick's work in the page, all in Debian's
# headless Chromium (bench/web/measure_page.py), and what keeping and resuming the
# game's snapshot cost the page. tools/lighthouse.sh writes the section beside it,
# Lighthouse's scores.
# Timings are never asserted by the test suite; this script reports and judges them.
# Exits non-zero when a figure misses its bound.
#
# Usage: tools/measure-web.sh [runs]   (default 15 loads of each page)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
runs="${1:-15}"

build_web
result="$(browser_python bench/web/measure_page.py build/web/site "$runs")"

browser_python - "$result" "$runs" docs/performance.md <<'PY'
import datetime
import json
import os
import pathlib
import sys

from performance_doc import Row, at_most, misses, replace_section, table

r = json.loads(sys.argv[1])
runs = sys.argv[2]
doc = pathlib.Path(sys.argv[3])
kb = lambda n: f"{n / 1000:.1f} kB"
rows = [
    at_most("Site as a visit transfers it: every file, as the service worker keeps them all (page, style, modules, "
            "WebAssembly, both fonts, icons, manifest, the worker, the font's licence; gzip where a server compresses)",
            f"{kb(r['visit_transferred'])} ({kb(r['visit_raw'])} raw)", r["visit_transferred"] / 1000, 200, " kB"),
    at_most("Navigation to the first rendered board, page ÷ same font and one label, medians",
            f"{r['first_render_ratio']:.2f} ({r['first_render_game_ms']:.0f} ms ÷ {r['first_render_baseline_ms']:.0f} ms)",
            r["first_render_ratio"], 1.15),
    at_most("The same on a phone (390 × 844 CSS pixels, 3 device pixels each, the arrangement for a finger)",
            f"{r['first_render_phone_ratio']:.2f} ({r['first_render_phone_game_ms']:.0f} ms ÷ "
            f"{r['first_render_phone_baseline_ms']:.0f} ms)", r["first_render_phone_ratio"], 1.15),
    Row("For information: the first rendered board ÷ the same board without the game (its page, style and "
        "fonts, no module), medians, desktop and phone",
        f"{r['first_render_game_ms'] / r['first_render_board_ms']:.2f} ({r['first_render_game_ms']:.0f} ms ÷ "
        f"{r['first_render_board_ms']:.0f} ms); {r['first_render_phone_game_ms'] / r['first_render_phone_board_ms']:.2f}"
        f" ({r['first_render_phone_game_ms']:.0f} ms ÷ {r['first_render_phone_board_ms']:.0f} ms)", "", True),
    at_most("One tick's work in the page (core, page update, layout), median",
            f"{r['tick_median_ms']:.2f} ms (90th pct {r['tick_p90_ms']:.2f} ms)", r["tick_median_ms"], 1, " ms"),
    at_most("The same on the phone, the chart drawn at three device pixels a pixel",
            f"{r['tick_phone_median_ms']:.2f} ms (90th pct {r['tick_phone_p90_ms']:.2f} ms)", r["tick_phone_median_ms"],
            1, " ms"),
    at_most("Keeping the game's snapshot in session storage, mid-day, as after every tick and click (median of means)",
            f"{r['keep_ms'] * 1000:.1f} µs ({r['snapshot_bytes']} bytes, {r['snapshot_stored']} characters stored)",
            r["keep_ms"], 0.1, " ms"),
    at_most("Resuming it: read back, restored by the core, every control written again, the chart's drawing "
            "apart (median of means)", f"{r['resume_ms'] * 1000:.1f} µs", r["resume_ms"], 0.1, " ms"),
    at_most("Keeping and resuming on the phone", f"{r['keep_phone_ms'] * 1000:.1f} µs, {r['resume_phone_ms'] * 1000:.1f} µs",
            max(r["keep_phone_ms"], r["resume_phone_ms"]), 0.1, " ms"),
]
now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
section = [
    "## The browser page",
    "",
    f"Written by `tools/measure-web.sh` on {now}: {r['chromium']}, headless, "
    f"{os.cpu_count()} cores, load average {' '.join(f'{x:.2f}' for x in os.getloadavg())} at the end of the run.",
    "",
    *table(rows),
    "",
    f"- First render: {runs} alternating loads of each page after one warm-up load each, in one browser",
    "  a screen, HTTP cache and service worker off, served from 127.0.0.1. The time runs from",
    "  navigation to the second animation frame after the page's fonts are loaded and its controls",
    "  bound, watched from the document's start: the first frame painted with the board in its font.",
    "  The page fetches its WebAssembly",
    "  core after that frame, so as not to hold it up; until the core is bound the board is busy,",
    f"  its buttons off. The core was bound {r['core_bound_ms']:.0f} ms after navigation (median; "
    f"{r['core_bound_phone_ms']:.0f} ms on the phone).",
    f"- Tick: {r['ticks']} ticks over 20 days, each timed in the page from the timer's call to the page",
    "  laid out again; the browser's clock is coarsened to 0.1 ms, hence the median's resolution.",
    "- Snapshot: after those days a new one, one share bought after its 30th tick and held 5 more, the",
    "  chart still showing the earlier days' lines; the page's own keeping (the core's snapshot, as",
    "  text, into session storage) and resuming (read back, restored by the core, every control",
    "  written again) each called 200 times in a row, the median of five such runs. Resuming",
    "  alternates between the end of the days before and the day's game, given as storage gives",
    "  it, so that each writes the board anew, and is timed with the canvas's drawing calls doing",
    "  nothing: the chart's pixels are the browser's",
    "  drawing, as at every tick, where a tick draws its day's line over the kept picture of the",
    "  lines before it. A page that resumes draws every line once.",
    "",
]
doc.write_text(replace_section(doc.read_text(encoding="utf-8") if doc.exists() else "", section), encoding="utf-8")
print("\n".join(section))
sys.exit(1 if misses(rows) else 0)
PY

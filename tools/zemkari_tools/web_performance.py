"""The browser page's figures, judged against their bounds and written into
docs/performance.md:

  python3 -m zemkari_tools.web_performance MEASURED RUNS PERFORMANCE.md

MEASURED is the JSON object measure_page printed, RUNS the loads of each page it made.
Writes the blocks web-run, web-budget and web-also-measured; exits 1 when a figure
misses its bound."""

import datetime
import json
import os
import sys

from .performance_doc import at_most, misses, table, write_blocks


def kb(n):
    return f"{n / 1000:.1f} kB"


def compared(r, figure, page, other):
    """A row of two pages' first renders as a ratio, on the desktop (with both times) and
    on the phone."""
    desktop, against = r[f"first_render_{page}_ms"], r[f"first_render_{other}_ms"]
    phone = r[f"first_render_phone_{page}_ms"] / r[f"first_render_phone_{other}_ms"]
    return (f"| {figure}, desktop; phone | {desktop / against:.2f} ({desktop:.0f} ms ÷ {against:.0f} ms); "
            f"{phone:.2f} |")


def blocks(r, runs):
    """The blocks of the document and the budget's rows."""
    rows = [
        at_most("Site as a visit transfers it: every file, as the service worker keeps them all (page, style, modules, "
                "WebAssembly, both fonts, icons, manifest, the worker, the font's licence; gzip where a server "
                "compresses)", f"{kb(r['visit_transferred'])} ({kb(r['visit_raw'])} raw)", r["visit_transferred"] / 1000,
                200, " kB"),
        at_most("Navigation to the first rendered board, page ÷ same font and one label, medians",
                f"{r['first_render_ratio']:.2f} ({r['first_render_game_ms']:.0f} ms ÷ "
                f"{r['first_render_baseline_ms']:.0f} ms)", r["first_render_ratio"], 1.15),
        at_most("The same on a phone (390 × 844 CSS pixels, 3 device pixels each, the arrangement for a finger)",
                f"{r['first_render_phone_ratio']:.2f} ({r['first_render_phone_game_ms']:.0f} ms ÷ "
                f"{r['first_render_phone_baseline_ms']:.0f} ms)", r["first_render_phone_ratio"], 1.15),
        at_most("One tick's work in the page (core, page update, layout), median",
                f"{r['tick_median_ms']:.2f} ms (90th pct {r['tick_p90_ms']:.2f} ms)", r["tick_median_ms"], 1, " ms"),
        at_most("The same on the phone, the chart drawn at three device pixels a pixel",
                f"{r['tick_phone_median_ms']:.2f} ms (90th pct {r['tick_phone_p90_ms']:.2f} ms)",
                r["tick_phone_median_ms"], 1, " ms"),
        at_most("Keeping the game's snapshot in session storage, mid-day, as after every tick and click (median of "
                "means)", f"{r['keep_ms'] * 1000:.1f} µs ({r['snapshot_bytes']} bytes, {r['snapshot_stored']} "
                "characters stored)", r["keep_ms"], 0.1, " ms"),
        at_most("Resuming it: read back, restored by the core, every control written again, the chart's drawing "
                "apart (median of means)", f"{r['resume_ms'] * 1000:.1f} µs", r["resume_ms"], 0.1, " ms"),
        at_most("Keeping and resuming on the phone",
                f"{r['keep_phone_ms'] * 1000:.1f} µs, {r['resume_phone_ms'] * 1000:.1f} µs",
                max(r["keep_phone_ms"], r["resume_phone_ms"]), 0.1, " ms"),
    ]
    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    load = " ".join(f"{x:.2f}" for x in os.getloadavg())
    return rows, {
        "web-run": [f"Written by `tools/measure-web.sh` on {now}: {r['chromium']}, headless, {os.cpu_count()} cores, "
                    f"load average {load} at the end of the run."],
        "web-budget": table(rows),
        "web-also-measured": [
            "| Figure | Measured |",
            "|---|---|",
            f"| Loads of each page for the first render | {runs} |",
            f"| The core bound, from navigation, median | {r['core_bound_ms']:.0f} ms "
            f"({r['core_bound_phone_ms']:.0f} ms on the phone) |",
            compared(r, "The first rendered board ÷ the same board without the game (its page, style and fonts, no "
                     "module)", "game", "board"),
            compared(r, "The page's head alone (its style, fonts and security policy, a module that only marks it "
                     "bound) over a label in each face ÷ same font and one label", "head", "baseline"),
            f"| Ticks timed | {r['ticks']} over 20 days |",
        ],
    }


def main():
    measured, runs, doc = json.loads(sys.argv[1]), sys.argv[2], sys.argv[3]
    rows, written = blocks(measured, runs)
    write_blocks(doc, written)
    for lines in written.values():
        print("\n".join(lines))
    return 1 if misses(rows) else 0


if __name__ == "__main__":
    sys.exit(main())

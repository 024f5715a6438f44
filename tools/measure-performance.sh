#!/usr/bin/env bash
# Measures the performance budget and writes docs/performance.md:
#   - the core alone: one headless tick and one headless day (bench/core_bench.cpp);
#   - one tick through the window, offscreen (bench/window_tick_bench.cpp);
#   - start-up to the first painted frame and peak resident memory of the game, as
#     ratios to the floor, a window showing the same first-frame texts in the same fonts
#     and style without the game (bench/first_frame_texts.cpp), and for information to
#     a bare Qt window with one Japanese label, all run side by side
#     (bench/startup_bench.cpp), offscreen and, where Xvfb exists, on Xvfb (tools/with-xvfb.sh);
#   - CPU used while a whole day runs at 0.5-second ticks (bench/day_cpu_bench.cpp).
# Timings are never asserted by the test suite; this script reports and judges them.
# Exits non-zero when a figure misses its bound.
#
# Usage: tools/measure-performance.sh [startup-runs]   (default 30)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
root="$ZEMKARI_ROOT"
runs="${1:-30}"

cmake --preset perf >/dev/null
cmake --build --preset perf --target core_bench window_tick_bench day_cpu_bench first_frame_game \
  first_frame_texts first_frame_bare startup_bench
bin="$root/build/perf/bench"

results="$(mktemp -d)"
trap 'rm -rf "$results"' EXIT
export XDG_RUNTIME_DIR="$results/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen

echo "== core benchmark"
"$bin/core_bench" --benchmark_format=json --benchmark_out="$results/core.json" --benchmark_out_format=json \
  >/dev/null
echo "== one tick through the window"
"$bin/window_tick_bench" 2>/dev/null | tee "$results/tick.txt"
startup=("$bin/startup_bench" "$bin/first_frame_game" "$bin/first_frame_texts" "$bin/first_frame_bare" "$runs")
echo "== start-up and peak memory against the same texts without the game (offscreen)"
"${startup[@]}" 2>/dev/null | tee "$results/startup.txt"
if command -v Xvfb >/dev/null; then
  echo "== start-up and peak memory against the same texts without the game (Xvfb)"
  QT_QPA_PLATFORM=xcb tools/with-xvfb.sh -s "-screen 0 1280x1024x24" "${startup[@]}" 2>/dev/null |
    sed 's/^/xvfb_/' | tee "$results/startup_xvfb.txt"
fi
echo "== CPU while a day runs at 0.5-second ticks (about 26 s)"
"$bin/day_cpu_bench" 2>/dev/null | tee "$results/day.txt"

browser_python - "$results" "$root/docs/performance.md" <<'PY'
import json, os, platform, subprocess, sys, datetime
from performance_doc import at_most, misses, sections, table
results, out = sys.argv[1], sys.argv[2]
values = {}
for name in ("tick.txt", "startup.txt", "startup_xvfb.txt", "day.txt"):
    path = os.path.join(results, name)
    if os.path.exists(path):
        for line in open(path):
            key, _, value = line.strip().partition(" ")
            if value:
                values[key] = float(value)
core = {b["name"]: b for b in json.load(open(os.path.join(results, "core.json")))["benchmarks"]}
qt = subprocess.run(["qtpaths6", "--qt-version"], capture_output=True, text=True).stdout.strip() or "6"
cpu = next((l.split(":", 1)[1].strip() for l in open("/proc/cpuinfo") if l.startswith("model name")), "?")
load = open("/proc/loadavg").read().split()[:3]

rows = []

def ns(name, field):
    return core[name][field] * {"ns": 1, "us": 1e3, "ms": 1e6}[core[name]["time_unit"]]

rows_core = [
    f"| One headless tick (`BM_Tick`) | {ns('BM_Tick', 'real_time'):.0f} ns | {ns('BM_Tick', 'cpu_time'):.0f} ns |",
    f"| One headless day (`BM_Day`: start, 55 ticks, a buy and a sale, end) | {ns('BM_Day', 'real_time') / 1e3:.1f} µs | {ns('BM_Day', 'cpu_time') / 1e3:.1f} µs |",
]
tick = values["tick_median_us"]
rows.append(at_most(
    "One tick through the Qt Board, chart redrawn, window repainted (offscreen), median",
    f"{tick / 1e3:.3f} ms (CPU {values['tick_cpu_median_us'] / 1e3:.3f} ms; 90th pct {values['tick_p90_us'] / 1e3:.3f} ms)",
    tick / 1e3, 1, " ms", "build/perf/bench/window_tick_bench"))
platforms = [(prefix, where, command) for prefix, where, command in (
    ("", "offscreen", "build/perf/bench/startup_bench <game> <texts> <bare>"),
    ("xvfb_", "Xvfb", "tools/with-xvfb.sh … startup_bench <game> <texts> <bare>")) if prefix + "startup_ratio" in values]
for prefix, where, command in platforms:
    v = lambda key: values[prefix + key]
    rows.append(at_most(
        f"Start-up to first painted frame, game ÷ the same texts without the game ({where}), medians",
        f"{v('startup_ratio'):.3f} ({v('startup_game_ms'):.1f} ms ÷ {v('startup_floor_ms'):.1f} ms)",
        v("startup_ratio"), 1.05, "", command))
    rows.append(at_most(
        f"Peak resident memory, game ÷ the same texts without the game ({where}), medians",
        f"{v('peak_rss_ratio'):.3f} ({v('peak_rss_game_kib') / 1024:.1f} MiB ÷ {v('peak_rss_floor_kib') / 1024:.1f} MiB)",
        v("peak_rss_ratio"), 1.05, "", command))
rows.append(at_most(
    "CPU while a whole day runs at 0.5-s ticks, share of one core",
    f"{values['day_cpu_share_percent']:.3f} % ({values['day_cpu_ms']:.0f} ms CPU in {values['day_wall_s']:.1f} s)",
    values["day_cpu_share_percent"], 0.5, " %", "build/perf/bench/day_cpu_bench"))

def bare_line(prefix, where):
    v = lambda key: values[prefix + key]
    return (f"  - {where}: start-up {v('startup_game_ms'):.1f} ms ÷ {v('startup_bare_ms'):.1f} ms = "
            f"{v('startup_ratio_bare'):.2f} (the same texts {v('startup_floor_ms') / v('startup_bare_ms'):.2f}); "
            f"peak memory {v('peak_rss_game_kib') / 1024:.1f} MiB ÷ {v('peak_rss_bare_kib') / 1024:.1f} MiB = "
            f"{v('peak_rss_ratio_bare'):.2f} (the same texts "
            f"{v('peak_rss_floor_kib') / v('peak_rss_bare_kib'):.2f})")
bare_lines = chr(10).join(bare_line(prefix, where) for prefix, where, _ in platforms)
cpu_lines = chr(10).join(
    f"  - {where}: {values[prefix + 'startup_cpu_game_ms']:.1f} ms ÷ {values[prefix + 'startup_cpu_floor_ms']:.1f} ms = "
    f"{values[prefix + 'startup_cpu_ratio']:.3f}" for prefix, where, _ in platforms)

phases = ("application", "window", "shown", "painted")
phase_rows = [f"| {p} | " + " | ".join(f"{values.get(k + '_phase_' + p + '_ms', float('nan')):.1f}"
                                       for k in ("game", "floor", "bare")) + " |"
              for p in phases]
text = f"""# Performance

Written by `tools/measure-performance.sh` on {datetime.datetime.utcnow():%Y-%m-%d %H:%M} UTC:
{os.cpu_count()} cores ({cpu}), load average {' '.join(load)} at the end of the run, Qt {qt},
Release build (`perf` preset), `QT_QPA_PLATFORM=offscreen` unless noted.

## The core alone

| Benchmark | Wall time | CPU time |
|---|---|---|
{chr(10).join(rows_core)}

## The budget

{chr(10).join(table(rows))}

## Also measured

- One tick with the whole window repainted after it (every group box, label and the
  chart, not only what the tick changed): median {values['tick_full_median_us'] / 1e3:.3f} ms,
  CPU {values['tick_full_cpu_median_us'] / 1e3:.3f} ms. The game never does this per tick; Qt
  repaints only the widgets a tick changed, which is the budget figure above.
- Start-up medians over {int(values['startup_runs'])} interleaved runs of each program (each round
  starting with the next) after one warm-up run each; the time runs from just before
  `fork` to the moment the program stamps its first flushed paint on the monotonic
  clock, so it includes loading the libraries and the fonts. Peak memory is the
  program's `ru_maxrss` when it exits, once the work its first frame queued has run
  (the game sets its window icon then).
- CPU time of each start-up (user and system, from `exec` to exit, medians), game ÷ the
  same texts: on a loaded machine this moves less than the wall time above. The game's
  includes the work after its first frame, on X11 its icon handed to the server.
{cpu_lines}
- The game against a bare Qt window with one Japanese label, for information:
{bare_lines}

Where each start-up spends its time (offscreen, medians, ms since `main()` began, at
the end of each phase):

| Phase | Game | Same texts | Bare Qt window |
|---|---|---|---|
{chr(10).join(phase_rows)}

The same window built again in the same process (`window_tick_bench`): the first
builds in {values['cold_window_build_ms']:.1f} ms and shows its first frame in {values['cold_window_first_paint_ms']:.1f} ms; a second builds in
{values['warm_window_build_ms']:.1f} ms and shows in {values['warm_window_first_paint_ms']:.1f} ms. The difference is work done once per process:
resolving the window's fonts and rasterising its Japanese glyphs.

## The floor for start-up

Most of the game's start-up is Qt showing its first frame: one Japanese face in seven
sizes and weights (11, 12, 13 and 15 px regular; 13, 15 and 17 px bold), each loading
its own font engine, the self-sizing labels measured with them, and a few hundred
distinct glyphs rasterised for the first paint. Any window showing these texts in these
fonts pays for that, so the start-up bound compares the game with `first_frame_texts`:
a window built from the same design tables (`kGroups`, `kVersionLine`, `kLabelDesigns`,
`kButtonDesigns`, `kSelectorDesigns`) in the same fonts and style, whose first frame is
the game's pixel for pixel (the chart is blank until the market opens), but which has
no market, no chart surface, no keyboard play, no screen-reader support and no icon.
The ratio is what the game's own work adds before its first frame; most of it is the
chart's retained picture (409 × 321 pixels, half a megabyte), made and filled while
the window is built. The window icon, which no first frame draws, is set once that
frame is out; its pictures are read only when the window system asks for them and are
not kept, so offscreen it costs nothing, and on X11 it goes out just after the frame.
"""
# tools/measure-web.sh and tools/lighthouse.sh write the browser page's sections; they
# stay as they were, in their order.
previous = open(out).read() if os.path.exists(out) else ""
for web in sections(previous, "## The browser page"):
    text = text.rstrip("\n") + "\n" + web.rstrip("\n") + "\n"
open(out, "w").write(text)
print(f"wrote {out}")
if misses(rows):
    print("over budget: " + "; ".join(misses(rows)), file=sys.stderr)
    sys.exit(1)
PY

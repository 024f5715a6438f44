#!/usr/bin/env bash
# Measures the performance budget and writes the game's tables in docs/performance.md:
#   - the core alone: one headless tick and one headless day (bench/core_bench.cpp);
#   - one tick through the window, offscreen (bench/window_tick_bench.cpp);
#   - start-up to the first painted frame and peak resident memory of the game, as
#     ratios to the floor, a window showing the same first-frame texts in the same fonts
#     and style without the game (bench/first_frame_texts.cpp), and for information to
#     a bare Qt window with one Japanese label, all run side by side
#     (bench/startup_bench.cpp), offscreen and, where Xvfb exists, on Xvfb (tools/with-xvfb.sh);
#   - CPU used while a whole day runs at 0.5-second ticks (bench/day_cpu_bench.cpp).
# Timings are never asserted by the test suite; this script reports them and
# tools/zemkari_tools/native_performance.py judges them and writes their tables.
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

browser_python -m zemkari_tools.native_performance "$results" docs/performance.md

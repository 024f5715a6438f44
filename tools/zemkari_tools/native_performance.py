"""The game's figures, judged against their bounds and written into docs/performance.md:

  python3 -m zemkari_tools.native_performance RESULTS PERFORMANCE.md

RESULTS is the folder tools/measure-performance.sh fills: core.json (Google Benchmark's
output of bench/core_bench.cpp) and lines of "name value" in tick.txt, startup.txt,
startup_xvfb.txt (where Xvfb ran) and day.txt. Writes the blocks native-run, core,
budget, also-measured and phases; exits 1 when a figure misses its bound."""

import datetime
import json
import os
import pathlib
import subprocess
import sys

from .performance_doc import at_most, misses, table, write_blocks

# Where the start-up was measured: the prefix of its figures, its name, the command.
PLATFORMS = (("", "offscreen", "build/perf/bench/startup_bench <game> <texts> <bare>"),
             ("xvfb_", "Xvfb", "tools/with-xvfb.sh … startup_bench <game> <texts> <bare>"))


def read_values(results):
    values = {}
    for name in ("tick.txt", "startup.txt", "startup_xvfb.txt", "day.txt"):
        path = results / name
        if path.exists():
            for line in path.read_text().splitlines():
                key, _, value = line.strip().partition(" ")
                if value:
                    values[key] = float(value)
    return values


def blocks(results):
    """The blocks of the document and the budget's rows."""
    values = read_values(results)
    core = {b["name"]: b for b in json.loads((results / "core.json").read_text())["benchmarks"]}
    qt = subprocess.run(["qtpaths6", "--qt-version"], capture_output=True, text=True).stdout.strip() or "6"
    cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo") if line.startswith("model name")),
               "?")

    def ns(name, field):
        return core[name][field] * {"ns": 1, "us": 1e3, "ms": 1e6}[core[name]["time_unit"]]

    tick = values["tick_median_us"]
    rows = [at_most(
        "One tick through the Qt Board, chart redrawn, window repainted (offscreen), median",
        f"{tick / 1e3:.3f} ms (CPU {values['tick_cpu_median_us'] / 1e3:.3f} ms; 90th pct "
        f"{values['tick_p90_us'] / 1e3:.3f} ms)", tick / 1e3, 1, " ms", "build/perf/bench/window_tick_bench")]
    platforms = [platform for platform in PLATFORMS if platform[0] + "startup_ratio" in values]
    also = []
    for prefix, where, command in platforms:
        def v(key):
            return values[prefix + key]
        rows.append(at_most(
            f"Start-up to first painted frame, game ÷ the same texts without the game ({where}), medians",
            f"{v('startup_ratio'):.3f} ({v('startup_game_ms'):.1f} ms ÷ {v('startup_floor_ms'):.1f} ms)",
            v("startup_ratio"), 1.05, "", command))
        rows.append(at_most(
            f"Peak resident memory, game ÷ the same texts without the game ({where}), medians",
            f"{v('peak_rss_ratio'):.3f} ({v('peak_rss_game_kib') / 1024:.1f} MiB ÷ "
            f"{v('peak_rss_floor_kib') / 1024:.1f} MiB)", v("peak_rss_ratio"), 1.05, "", command))
        also += [
            f"| CPU time of a start-up, game ÷ the same texts ({where}), medians | "
            f"{v('startup_cpu_game_ms'):.1f} ms ÷ {v('startup_cpu_floor_ms'):.1f} ms = {v('startup_cpu_ratio'):.3f} |",
            f"| Start-up, game ÷ a bare Qt window ({where}), medians | {v('startup_game_ms'):.1f} ms ÷ "
            f"{v('startup_bare_ms'):.1f} ms = {v('startup_ratio_bare'):.2f} (the same texts "
            f"{v('startup_floor_ms') / v('startup_bare_ms'):.2f}) |",
            f"| Peak memory, game ÷ a bare Qt window ({where}), medians | {v('peak_rss_game_kib') / 1024:.1f} MiB ÷ "
            f"{v('peak_rss_bare_kib') / 1024:.1f} MiB = {v('peak_rss_ratio_bare'):.2f} (the same texts "
            f"{v('peak_rss_floor_kib') / v('peak_rss_bare_kib'):.2f}) |",
        ]
    rows.append(at_most(
        "CPU while a whole day runs at 0.5-s ticks, share of one core",
        f"{values['day_cpu_share_percent']:.3f} % ({values['day_cpu_ms']:.0f} ms CPU in {values['day_wall_s']:.1f} s)",
        values["day_cpu_share_percent"], 0.5, " %", "build/perf/bench/day_cpu_bench"))

    load = " ".join(open("/proc/loadavg").read().split()[:3])
    phases = ("application", "window", "shown", "painted")
    return rows, {
        "native-run": [
            f"Written by `tools/measure-performance.sh` on {datetime.datetime.utcnow():%Y-%m-%d %H:%M} UTC:",
            f"{os.cpu_count()} cores ({cpu}), load average {load} at the end of the run, Qt {qt},",
            "Release build (`perf` preset), `QT_QPA_PLATFORM=offscreen` unless noted.",
        ],
        "core": [
            "| Benchmark | Wall time | CPU time |",
            "|---|---|---|",
            f"| One headless tick (`BM_Tick`) | {ns('BM_Tick', 'real_time'):.0f} ns | {ns('BM_Tick', 'cpu_time'):.0f} ns |",
            f"| One headless day (`BM_Day`: start, 55 ticks, a buy and a sale, end) | "
            f"{ns('BM_Day', 'real_time') / 1e3:.1f} µs | {ns('BM_Day', 'cpu_time') / 1e3:.1f} µs |",
        ],
        "budget": table(rows),
        "also-measured": [
            "| Figure | Measured |",
            "|---|---|",
            f"| One tick with the whole window repainted, median | {values['tick_full_median_us'] / 1e3:.3f} ms "
            f"(CPU {values['tick_full_cpu_median_us'] / 1e3:.3f} ms) |",
            f"| Start-up runs of each program | {int(values['startup_runs'])} |",
            *also,
            f"| The window built for the first time in a process: built, first frame shown | "
            f"{values['cold_window_build_ms']:.1f} ms, {values['cold_window_first_paint_ms']:.1f} ms |",
            f"| The same window built again in that process | {values['warm_window_build_ms']:.1f} ms, "
            f"{values['warm_window_first_paint_ms']:.1f} ms |",
        ],
        "phases": [
            "| Phase | Game | Same texts | Bare Qt window |",
            "|---|---|---|---|",
            *(f"| {p} | " + " | ".join(f"{values.get(k + '_phase_' + p + '_ms', float('nan')):.1f}"
                                        for k in ("game", "floor", "bare")) + " |" for p in phases),
        ],
    }


def main():
    results, doc = pathlib.Path(sys.argv[1]), sys.argv[2]
    rows, written = blocks(results)
    write_blocks(doc, written)
    print(f"wrote {doc}")
    if misses(rows):
        print("over budget: " + "; ".join(misses(rows)), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

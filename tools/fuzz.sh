#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz preset: clang, ASan, UBSan) and runs them for a
# bounded time with a fixed seed, the time shared between them: zemkari_fuzz over
# player events on a copy of fuzz/corpus, zemkari_fuzz_script over replay scripts
# seeded with the transcripts' scripts, zemkari_fuzz_snapshot over snapshots to restore
# seeded with fuzz/snapshots and the pinned one. The checked-in corpus does not grow. An input
# that breaks an invariant is left in build/fuzz/artifacts/<target>/; copy an event
# input to fuzz/regressions/ so the test suite replays it.
#
# Usage: tools/fuzz.sh [seconds]   (default 180, in all)
set -euo pipefail

seconds="${1:-180}"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target zemkari_fuzz zemkari_fuzz_script zemkari_fuzz_snapshot

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# fuzz TARGET SECONDS SEED... [libFuzzer options]: runs TARGET on a copy of the seeds.
fuzz() {
  local target="$1" time="$2" seeds="$3"
  shift 3
  local corpus="$work/$target" artifacts="$ZEMKARI_ROOT/build/fuzz/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  cp $seeds "$corpus/"
  # libFuzzer reports every new input; keep that in a log and show its end.
  local log="$artifacts/fuzz.log" status=0
  printf '\n%s, %s s\n' "$target" "$time"
  "build/fuzz/fuzz/$target" "$corpus" -seed=1 -max_total_time="$time" -max_len=4096 -timeout=10 \
    -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$artifacts/" "$@" >"$log" 2>&1 || status=$?
  if ((status != 0)); then
    tail -n 80 "$log"
    echo "fuzz: an input broke $target; see $log and $artifacts/" >&2
    exit "$status"
  fi
  grep -E '^(Done|stat::)' "$log"
}

fuzz zemkari_fuzz $((seconds - 2 * (seconds / 3))) "fuzz/corpus/*"
fuzz zemkari_fuzz_script $((seconds / 3)) "tests/replay/transcripts/*.script" -dict=fuzz/script.dict
fuzz zemkari_fuzz_snapshot $((seconds / 3)) "fuzz/snapshots/* tests/replay/snapshots/*"

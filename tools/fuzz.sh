#!/usr/bin/env bash
# Builds the libFuzzer target (fuzz preset: clang, ASan, UBSan) and runs it for a
# bounded time with a fixed seed. It works on a temporary copy of fuzz/corpus, so
# the checked-in corpus does not grow. An input that breaks an invariant is left in
# build/fuzz/artifacts/; copy it to fuzz/regressions/ so the test suite replays it.
#
# Usage: tools/fuzz.sh [seconds]   (default 120)
set -euo pipefail

seconds="${1:-120}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target zemkari_fuzz

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/* "$work/"
artifacts="$root/build/fuzz/artifacts"
mkdir -p "$artifacts"

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# libFuzzer reports every new input; keep that in a log and show its end.
log="$artifacts/fuzz.log"
status=0
build/fuzz/fuzz/zemkari_fuzz "$work" \
  -seed=1 -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || status=$?
if ((status != 0)); then
  tail -n 80 "$log"
  echo "fuzz: an input broke the game; see $log and $artifacts/" >&2
  exit "$status"
fi
grep -E '^(Done|stat::)' "$log"

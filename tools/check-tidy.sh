#!/usr/bin/env bash
# clang-tidy with the checked-in .clang-tidy over the game's own sources (core/,
# replay/, ui/, app/, fuzz/), using the dev build's compile_commands.json.
# Fails on any finding, and unless clang-tidy ran over every file and finished.
# Usage: tools/check-tidy.sh [build-dir]   (default build/dev)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build="${1:-build/dev}"

if [[ ! -f "$build/compile_commands.json" ]]; then
  cmake --preset dev >/dev/null
fi

mapfile -t sources < <(python3 - "$build/compile_commands.json" "$ZEMKARI_ROOT" <<'PY'
import json, os, re, sys
commands, root = sys.argv[1], sys.argv[2]
ours = re.compile(r"^(core|replay|ui|app|fuzz)/")
files = set()
for entry in json.load(open(commands)):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if ours.match(path) and os.path.exists(path):
        files.add(path)
print("\n".join(sorted(files)))
PY
)
if [[ ${#sources[@]} -eq 0 ]]; then
  echo "check-tidy: no sources of ours in $build/compile_commands.json" >&2
  exit 1
fi

if ! command -v clang-tidy >/dev/null; then
  echo "check-tidy: clang-tidy not found (Debian: clang-tidy)" >&2
  exit 1
fi
report="$(mktemp)"
errors="$(mktemp)"
trap 'rm -f "$report" "$errors"' EXIT
# xargs fails when any run failed, crashed or could not start; every file must be checked.
status=0
printf '%s\n' "${sources[@]}" |
  xargs -P 2 -n 1 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option >"$report" 2>"$errors" ||
  status=$?
if ((status != 0)); then
  grep -E -A3 '(warning|error):' "$report" || true
  tail -n 20 "$errors" >&2
  echo "check-tidy: clang-tidy did not finish over all ${#sources[@]} files (xargs status $status)" >&2
  exit 1
fi
if grep -qE '(warning|error):' "$report"; then
  grep -E -A3 '(warning|error):' "$report"
  echo "check-tidy: findings in ${#sources[@]} files" >&2
  exit 1
fi
echo "check-tidy: clean over ${#sources[@]} files"

#!/usr/bin/env bash
# clang-tidy with the checked-in .clang-tidy over the game's own sources: core/, replay/,
# ui/, app/, fuzz/ and bench/ from the dev build's compile_commands.json, web/ from the
# web build's. Fails on any finding, and unless clang-tidy ran over every file and
# finished.
# Usage: tools/check-tidy.sh [dev-build-dir [web-build-dir]]   (default build/dev build/web)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build="${1:-build/dev}"
web_build="${2:-build/web}"

if [[ ! -f "$build/compile_commands.json" ]]; then
  cmake --preset dev >/dev/null
fi
if [[ ! -f "$web_build/compile_commands.json" ]]; then
  cmake --preset web >/dev/null
fi

# The sources of a build's compile_commands.json under the folders of a pattern.
# Usage: ours BUILD-DIR 'core|ui'
ours() {
  python3 - "$1/compile_commands.json" "$ZEMKARI_ROOT" "$2" <<'PY'
import json, os, re, sys
commands, root, folders = sys.argv[1:]
ours = re.compile(rf"^({folders})/")
files = set()
for entry in json.load(open(commands)):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if ours.match(path) and os.path.exists(path):
        files.add(path)
print("\n".join(sorted(files)))
PY
}
mapfile -t sources < <(ours "$build" 'core|replay|ui|app|fuzz|bench')
mapfile -t page_sources < <(ours "$web_build" 'web')
if [[ ${#sources[@]} -eq 0 || ${#page_sources[@]} -eq 0 ]]; then
  echo "check-tidy: no sources of ours in $build or $web_build/compile_commands.json" >&2
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
# The page's sources are read as native code: the WebAssembly import and export
# attributes, which only the web build knows, are that build's to check.
status=0
{
  printf '%s\n' "${sources[@]}" |
    xargs -P 2 -n 1 clang-tidy -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option &&
    printf '%s\n' "${page_sources[@]}" |
    xargs -P 2 -n 1 clang-tidy -p "$web_build" --quiet --extra-arg=-Wno-unknown-warning-option \
      --extra-arg=-Wno-unknown-attributes
} >"$report" 2>"$errors" || status=$?
count=$((${#sources[@]} + ${#page_sources[@]}))
if ((status != 0)); then
  grep -E -A3 '(warning|error):' "$report" || true
  tail -n 20 "$errors" >&2
  echo "check-tidy: clang-tidy did not finish over all $count files (xargs status $status)" >&2
  exit 1
fi
if grep -qE '(warning|error):' "$report"; then
  grep -E -A3 '(warning|error):' "$report"
  echo "check-tidy: findings in $count files" >&2
  exit 1
fi
echo "check-tidy: clean over $count files"

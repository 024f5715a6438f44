#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (.clang-format) makes of it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
if [[ ${#files[@]} -eq 0 ]]; then
  echo "check-format: no C++ files tracked" >&2
  exit 1
fi
clang-format --dry-run -Werror "${files[@]}"
echo "check-format: ${#files[@]} files formatted"

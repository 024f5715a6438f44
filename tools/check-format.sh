#!/usr/bin/env bash
# Fails when a C++ source file differs from what clang-format (.clang-format) makes of it.
# Lists the files git tracks, or, outside a git work tree (a source tarball), every C++
# file but those in build folders.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if command -v git >/dev/null && [[ $(git rev-parse --show-toplevel 2>/dev/null) == "$ZEMKARI_ROOT" ]]; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.cc')
else
  mapfile -t files < <(find . \( -path ./build -o -path './build-*' -o -name '.*' ! -name . \) -prune -o \
    -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print | sed 's|^\./||' | sort)
fi
if [[ ${#files[@]} -eq 0 ]]; then
  echo "check-format: no C++ files found" >&2
  exit 1
fi
clang-format --dry-run -Werror "${files[@]}"
echo "check-format: ${#files[@]} files formatted"

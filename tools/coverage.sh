#!/usr/bin/env bash
# Runs the test suite built with gcc --coverage (coverage preset, no window) and
# reports line coverage of core/. Fails under 95 %.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build=build/coverage

cmake --preset coverage >/dev/null
cmake --build --preset coverage
# Counts from earlier runs would inflate the figure.
find "$build" -name '*.gcda' -delete
ctest --preset coverage | tail -n 3
gcovr --root "$ZEMKARI_ROOT" --object-directory "$build" --filter 'core/' \
  --exclude-directories '.*/CMakeFiles/[0-9.]+/.*' \
  --txt --print-summary --fail-under-line 95

#!/usr/bin/env bash
# Builds and runs every test: the suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the checks. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

step() { printf '\n== %s\n' "$*"; }

step "Test suite"
cmake --preset dev
cmake --build --preset dev
ctest --preset dev

step "Test suite under ASan and UBSan"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

step "All tests passed"

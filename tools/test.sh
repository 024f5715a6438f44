#!/usr/bin/env bash
# Builds and runs every test: the suite, the suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and again in a release build with the package test. Every
# target is built with gcc (debug and release) and clang (release), warnings as errors.
# Then the checks: format, Lighthouse's scores of the browser page, clang-tidy, line
# coverage of the core, and a bounded fuzzing session over clicks, replay scripts and snapshots.
# Installs missing Debian packages first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tools/install-deps.sh

step() { printf '\n== %s\n' "$*"; }

# Every program the steps below call, with the Debian package it comes from: one that
# tools/debian-packages.txt lacks stops the run here, not after the steps before it.
missing=()
need() {
  local what=$1 program
  shift
  for program in "$@"; do
    command -v "${program%%:*}" >/dev/null || missing+=("${program%%:*} (Debian: ${program#*:}), for $what")
  done
}
need "the format check" clang-format:clang-format
need "the builds" cmake:cmake ninja:ninja-build g++:g++ clang++:clang
need "the test suite" Xvfb:xvfb xdpyinfo:x11-utils dbus-run-session:dbus emcmake:emscripten node:nodejs \
  chromium:chromium chromedriver:chromium-driver pyftsubset:fonttools
need "Lighthouse" npm:npm
need "the package test" lintian:lintian dpkg-deb:dpkg desktop-file-validate:desktop-file-utils \
  appstreamcli:appstream file:file xwininfo:x11-utils
need "clang-tidy" clang-tidy:clang-tidy
need "line coverage" gcovr:gcovr
if ((${#missing[@]} > 0)); then
  printf 'test.sh: not found: %s\n' "${missing[@]}" >&2
  echo "test.sh: tools/debian-packages.txt lacks their packages" >&2
  exit 1
fi

step "Format"
tools/check-format.sh

step "Test suite"
cmake --preset dev
cmake --build --preset dev
ctest --preset dev

step "The browser page judged by Lighthouse, as a phone"
tools/lighthouse.sh

step "Test suite under ASan and UBSan"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

step "Release build, test suite and Debian package"
cmake --preset release-check
cmake --build --preset release-check
ctest --preset release-check

step "Every target built with clang"
cmake --preset clang
cmake --build --preset clang

step "clang-tidy"
tools/check-tidy.sh build/dev

step "Line coverage of the core"
tools/coverage.sh

step "Fuzzing every click sequence, every replay script and every snapshot (180 s in all, fixed seed)"
tools/fuzz.sh 180

step "All tests passed"

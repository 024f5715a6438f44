#!/usr/bin/env bash
# Builds the game and starts it. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset release
cmake --build --preset release --target zemkari
exec build/release/app/zemkari

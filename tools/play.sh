#!/usr/bin/env bash
# Builds the game and starts it. Installs missing Debian packages first.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

tools/install-deps.sh
cmake --preset release
cmake --build --preset release --target zemkari
exec build/release/app/zemkari

#!/usr/bin/env bash
# Judges the browser page with Lighthouse, as a phone, in Debian's headless Chromium:
# performance at least 0.95 (the median of three runs), accessibility and best practices
# 1 (tools/zemkari_tools/lighthouse.py). Lighthouse is pinned by tools/lighthouse/package-lock.json
# and installed from it with npm ci, again whenever the lock changes. Exits non-zero when
# a score is below its bound. Scores are judged here, never by the test suite.
#
# Usage: tools/lighthouse.sh [--record]   (--record writes the figures to docs/performance.md)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

record=()
case "${1:-}" in
  --record) record=(--record docs/performance.md) ;;
  "") ;;
  *) echo "usage: tools/lighthouse.sh [--record]" >&2; exit 2 ;;
esac

if ! command -v npm >/dev/null; then
  echo "tools/lighthouse.sh: npm not found (Debian: npm; tools/install-deps.sh installs it)" >&2
  exit 1
fi
# The lock that node_modules was installed from, kept beside it.
installed=tools/lighthouse/node_modules/.installed-from-lock.json
if ! cmp -s tools/lighthouse/package-lock.json "$installed"; then
  npm ci --prefix tools/lighthouse --no-audit --no-fund --ignore-scripts
  cp tools/lighthouse/package-lock.json "$installed"
fi

build_web
browser_python -m zemkari_tools.lighthouse build/web/site tools/lighthouse/node_modules/.bin/lighthouse "${record[@]}"

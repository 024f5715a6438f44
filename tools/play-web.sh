#!/usr/bin/env bash
# Builds the browser page and serves it on http://localhost:8000 until interrupted.
# The site folder, build/web/site, is plain static files: any web server can host it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
tools/install-deps.sh
build_web
echo "Zemkari is at http://localhost:8000/ (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server 8000 --bind 127.0.0.1 --directory build/web/site

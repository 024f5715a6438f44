#!/bin/sh
# Builds the browser page and serves it on http://localhost:8000 until interrupted.
# The site folder, build/web/site, is plain static files: any web server can host it.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset web >/dev/null
cmake --build --preset web
echo "Zemkari is at http://localhost:8000/ (Ctrl+C stops the server)"
exec /usr/bin/python3 -m http.server 8000 --bind 127.0.0.1 --directory build/web/site

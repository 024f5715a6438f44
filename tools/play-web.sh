#!/usr/bin/env bash
# Builds the browser page and serves it on port 8000 of every network interface until
# interrupted: http://localhost:8000/ on this machine, and the addresses printed for a
# phone on the same network. The site folder, build/web/site, is plain static files: any
# web server can host it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
tools/install-deps.sh
build_web
echo "Zemkari is at http://localhost:8000/ (Ctrl+C stops the server)"
for address in $(hostname -I 2>/dev/null || true); do
  case $address in
    *:*) echo "  from a phone on the same network: http://[$address]:8000/" ;;
    *) echo "  from a phone on the same network: http://$address:8000/" ;;
  esac
done
echo "Over plain HTTP from another machine the game plays, but a phone installs it and plays"
echo "it offline only from an HTTPS host (README: In a browser, on a phone)."
exec /usr/bin/python3 -m http.server 8000 --bind 0.0.0.0 --directory build/web/site

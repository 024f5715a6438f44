#!/usr/bin/env bash
# Installs the Debian packages of tools/debian-packages.txt that are missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' tools/debian-packages.txt)
missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$pkg")
done
((${#missing[@]} == 0)) && exit 0
echo "Installing: ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs the Debian packages of tools/debian-packages.txt that are missing.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' tools/debian-packages.txt)
# An installed package may stand in for a listed one (NodeSource's nodejs provides npm,
# and conflicts with Debian's): such a package counts as there.
declare -A provided=()
while read -r name; do
  [[ -n $name ]] && provided[$name]=1
done < <(dpkg-query -W -f='${db:Status-Abbrev}|${Provides}\n' |
  awk -F'|' '$1 ~ /^ii/ { n = split($2, names, ","); for (i = 1; i <= n; i++) { sub(/^ +/, "", names[i]); sub(/ .*/, "", names[i]); print names[i] } }')
missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ $status == "install ok installed" || -n ${provided[$pkg]:-} ]] || missing+=("$pkg")
done
((${#missing[@]} == 0)) && exit 0
echo "Installing: ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

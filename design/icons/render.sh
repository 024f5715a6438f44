#!/bin/sh
# Renders the window and desktop icons from zemkari.svg. Needs rsvg-convert (Debian
# librsvg2-bin); the build itself uses the committed PNGs.
set -eu
cd "$(dirname "$0")"
for size in $(sed -n 's/^set(ZEMKARI_ICON_SIZES \(.*\))$/\1/p' icon_sizes.cmake); do
  rsvg-convert -w "$size" -h "$size" zemkari.svg -o "zemkari-$size.png"
done

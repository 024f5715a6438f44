#!/bin/sh
# Renders the window and desktop icons from zemkari.svg. Needs rsvg-convert (Debian
# librsvg2-bin); the build itself uses the committed PNGs.
set -eu
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" zemkari.svg -o "zemkari-$size.png"
done

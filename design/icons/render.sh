#!/bin/sh
# Renders the icons from zemkari.svg: the window's and the desktop's, and the page's for
# an installed app, for any use and maskable, the icon drawn smaller on a square of its
# own background (the fill of its first rectangle) so that a launcher's mask (a circle
# of 80 % of the side, at its smallest) cuts none of it. Needs rsvg-convert (Debian
# librsvg2-bin); the build itself uses the committed PNGs.
set -eu
cd "$(dirname "$0")"
sizes() { sed -n "s/^set($1 \(.*\))$/\1/p" icon_sizes.cmake; }
background=$(sed -n 's/.*<rect [^>]*fill="\(#[0-9a-fA-F]*\)".*/\1/p' zemkari.svg | head -n 1)
if [ -z "$background" ]; then
  echo "render.sh: zemkari.svg has no rectangle to take the maskable icons' background from" >&2
  exit 1
fi
for size in $(sizes ZEMKARI_ICON_SIZES) $(sizes ZEMKARI_PAGE_ICON_SIZES); do
  rsvg-convert -w "$size" -h "$size" zemkari.svg -o "zemkari-$size.png"
done
for size in $(sizes ZEMKARI_PAGE_ICON_SIZES); do
  inner=$((size * 72 / 100))
  margin=$(((size - inner) / 2))
  rsvg-convert -w "$inner" -h "$inner" --page-width "$size" --page-height "$size" --left "$margin" --top "$margin" \
    --background-color="$background" zemkari.svg -o "zemkari-maskable-$size.png"
done

#!/bin/sh
# Renders banner.svg to resources/banner.jpg (rsvg-convert and ImageMagick).
set -e
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp --suffix=.png)"
rsvg-convert -w 219 -h 99 "$here/banner.svg" -o "$tmp"
convert "$tmp" -background white -flatten -strip -sampling-factor 4:4:4 -quality 92 \
  "$here/../banner.jpg"
rm -f "$tmp"

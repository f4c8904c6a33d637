#!/usr/bin/env bash
# Draws the PNG sizes of the icon from its SVG (needs rsvg-convert, Debian librsvg2-bin).
# Run after changing the SVG and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")"
for g in 16 24 32 48 64 128 256; do
  mkdir -p "${g}x${g}/apps"
  rsvg-convert -w "$g" -h "$g" scalable/apps/org.example.Kiboru.svg -o "${g}x${g}/apps/org.example.Kiboru.png"
done

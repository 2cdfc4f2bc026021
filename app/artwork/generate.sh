#!/bin/sh
# Regenerates every picture in this folder from its SVG source.
#
# Needs:
#   rsvg-convert  (Debian package librsvg2-bin) - renders the SVGs to PNG
#   convert       (Debian package imagemagick)  - turns the background into a JPEG
#
# Run it from anywhere: ./app/artwork/generate.sh
set -eu

cd "$(dirname "$0")"

for tool in rsvg-convert convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "generate.sh: $tool is missing (see the list of needed tools at the top)" >&2
        exit 1
    fi
done

render() { # render SOURCE.svg SIZE OUTPUT.png
    rsvg-convert --width "$2" --height "$2" "$1" --output "$3"
}

# Background: rendered at its own size, then stored as a JPEG without metadata so
# that a rerun gives the same bytes.
background_png=$(mktemp --suffix=.png)
trap 'rm -f "$background_png"' EXIT
rsvg-convert background.svg --output "$background_png"
convert "$background_png" -strip -background white -flatten -quality 85 \
    -sampling-factor 4:2:0 background.jpg

# Header layers, button glyphs, tool bar icons and the About logo: each at the size its SVG declares.
for name in header1 header2 header3 compose options toolbar-save toolbar-print toolbar-close logo; do
    rsvg-convert "$name.svg" --output "$name.png"
done

# Application icon: the two smallest sizes have their own pixel-fitted drawings.
render icon-16.svg 16 icon-16.png
render icon-24.svg 24 icon-24.png
for size in 32 48 96 128 256; do
    render icon.svg "$size" "icon-$size.png"
done

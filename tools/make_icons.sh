#!/usr/bin/env bash
# Renders the application icon (resources/icons/com.brantwick.pellora.svg) into the PNG sizes
# of the hicolor theme under resources/icons/hicolor. Run it after changing the SVG and commit
# the PNGs; the build only copies them. Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail

icons=$(cd "$(dirname "$0")/../resources/icons" && pwd)
name=com.brantwick.pellora
command -v rsvg-convert >/dev/null || {
    echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
    exit 1
}
for size in 16 22 24 32 48 64 128 256; do
    dir="$icons/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert -w "$size" -h "$size" "$icons/$name.svg" -o "$dir/$name.png"
done
echo "icons written under $icons/hicolor"

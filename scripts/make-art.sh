#!/bin/sh
# Draws every picture of the game into assets/art/ with our generator in
# tools/art. The generator needs nothing else of the game, so it is built on
# its own, in build-art/ (or $NOVAGRID_ART_BUILD), even while the rest of the
# game does not build. The output is the same bytes on every run.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${NOVAGRID_ART_BUILD:-$root/build-art}
art="$root/assets/art"

cmake -S "$root/tools/art" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target novagrid-art

# Draw into a fresh folder first, so a failed run leaves the old art alone
# and a picture we no longer make does not linger.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$build/novagrid-art" "$fresh"
mkdir -p "$art"
rm -f "$art"/*.png "$art"/*.svg
cp "$fresh"/* "$art"/

#!/bin/sh
# Synthesises the six sound effect clips into assets/sound/ (effect1.wav ...
# effect6.wav) with our generator in tools/sound. The generator needs nothing
# else of the game, so it is built on its own, in build-sound/ (or
# $NOVAGRID_SOUND_BUILD), even while the rest of the game does not build.
# The output is the same bytes on every run.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${NOVAGRID_SOUND_BUILD:-$root/build-sound}
sound="$root/assets/sound"

cmake -S "$root/tools/sound" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target novagrid-sound

# Synthesise into a fresh folder first, so a failed run leaves the old clips
# alone.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
"$build/novagrid-sound" "$fresh"
mkdir -p "$sound"
cp "$fresh"/effect*.wav "$sound"/

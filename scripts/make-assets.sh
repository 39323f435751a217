#!/bin/sh
# Regenerates everything the game carries that our tools make: the pictures
# (assets/art/, tools/art), the six clips (assets/sound/, tools/sound) and the
# pictures of the rules, drawn by the game's own playfield code from the new
# pictures (assets/help/images/, tools/render). Each tool gives the same
# bytes on every run, so a rerun without changes to the tools leaves git
# clean.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target novagrid-art novagrid-sound

# Each tool writes into a fresh folder first, so a failed run leaves the old
# files alone and a file we no longer make does not linger.
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
mkdir "$fresh/art" "$fresh/sound" "$fresh/help"
"$build/tools/art/novagrid-art" "$fresh/art"
"$build/tools/sound/novagrid-sound" "$fresh/sound"
rm -f "$root"/assets/art/*.png "$root"/assets/art/*.svg "$root"/assets/sound/*.wav
cp "$fresh"/art/* "$root/assets/art/"
cp "$fresh"/sound/* "$root/assets/sound/"

# The program carries its pictures baked in: built now, it draws with the
# new ones.
cmake --build "$build" -j"$(nproc)" --target novagrid-help-pictures
"$build/tools/render/novagrid-help-pictures" "$fresh/help"
rm -f "$root"/assets/help/images/*.png
cp "$fresh"/help/* "$root/assets/help/images/"

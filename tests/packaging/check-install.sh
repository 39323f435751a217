#!/bin/sh
# Installs the game into a fresh prefix and checks that the launcher, the
# description and the icons land where desktops look for them and are tied
# together by the one id.
# Usage: check-install.sh <cmake> <build dir> <id> <version> <bin folder>
set -eu
cmake=$1 build=$2 id=$3 version=$4 bindir=$5

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$desktop" ] || fail "no launcher at $desktop"
[ -f "$metainfo" ] || fail "no description at $metainfo"

# The software centres' own check of an installed tree: the description is
# valid and its launchable names a launcher that is there.
"$(dirname "$0")/appstream-pedantic.sh" validate-tree "$prefix"

key() { sed -n "s/^$1=//p" "$desktop"; }
program=$(key Exec | cut -d' ' -f1)
[ -x "$prefix/$bindir/$program" ] || fail "the launcher starts '$program', which is not in $prefix/$bindir"

icon=$(key Icon)
[ "$icon" = "$id" ] || fail "the launcher's icon is '$icon', not the id $id"
for size in 16 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || fail "no $size px icon at $png"
    actual=$(identify -format '%wx%h' "$png")
    [ "$actual" = "${size}x${size}" ] || fail "the icon in ${size}x${size} is $actual"
done
svg="$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
[ -f "$svg" ] || fail "no scalable icon at $svg"
grep -q '<svg' "$svg" || fail "$svg is no SVG picture"

newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fail "the newest release in the description is '$newest', the game is $version"

echo "installed tree of $id is complete"

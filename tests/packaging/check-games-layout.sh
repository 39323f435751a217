#!/bin/sh
# Builds the game as a distribution lays it out, the program in games/ and
# the data in a folder given by absolute path outside the prefix, installs it
# and opens the rules in the installed game: it must find its rules file.
# Usage: check-games-layout.sh <cmake> <generator> <c++ compiler> <source> <work folder> <e2e folder>
set -eu
cmake=$1 generator=$2 compiler=$3 source=$4 work=$5 e2e=$6

prefix="$work/prefix"
datadir="$work/elsewhere/data"
rm -rf "$prefix" "$work/elsewhere"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The build folder is kept between runs, so a rerun builds only what changed.
"$cmake" -S "$source" -B "$work/build" -G "$generator" -DCMAKE_CXX_COMPILER="$compiler" \
         -DCMAKE_BUILD_TYPE=Release -DNOVAGRID_BUILD_TESTS=OFF -DNOVAGRID_BUILD_BENCHMARKS=OFF \
         -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_BINDIR=games -DCMAKE_INSTALL_DATADIR="$datadir" >/dev/null
"$cmake" --build "$work/build" -j"$(nproc)" --target novagrid novagrid_gzipped_docs >/dev/null
"$cmake" --install "$work/build" >/dev/null

[ -x "$prefix/games/novagrid" ] || fail "no program at $prefix/games/novagrid"
[ ! -e "$prefix/bin" ] || fail "the install made $prefix/bin though the programs go to games/"
[ -f "$datadir/novagrid/nvgd.rcc" ] || fail "no rules file at $datadir/novagrid/nvgd.rcc"
[ ! -e "$prefix/share/novagrid" ] || fail "the install put data into $prefix/share though the data folder is $datadir"

zcat "$prefix/share/man/man6/novagrid.6.gz" | grep -qF "$datadir/novagrid/nvgd.rcc" ||
    fail "the manual page does not name the rules file $datadir/novagrid/nvgd.rcc"

python3 "$e2e/open_installed_rules.py" --program "$prefix/games/novagrid"

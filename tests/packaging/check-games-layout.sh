#!/bin/sh
# Configures the game as a distribution lays it out, the program in games/
# and the data in a folder given by absolute path outside the prefix, and
# checks that everything the configuration decides agrees: the rules file is
# installed where the program will look for it (the path from its folder
# compiled into it), and the manual page names that file. The package test
# (scripts/test-package.sh) plays an installed game of the same kind.
# Usage: check-games-layout.sh <cmake> <generator> <c++ compiler> <source> <work folder>
set -eu
cmake=$1 generator=$2 compiler=$3 source=$4 work=$5

prefix="$work/prefix"
datadir="$work/elsewhere/data"
build="$work/build"
rm -rf "$build"

fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" -S "$source" -B "$build" -G "$generator" -DCMAKE_CXX_COMPILER="$compiler" \
         -DCMAKE_BUILD_TYPE=Release -DNOVAGRID_BUILD_TESTS=OFF -DNOVAGRID_BUILD_BENCHMARKS=OFF \
         -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_INSTALL_BINDIR=games -DCMAKE_INSTALL_DATADIR="$datadir" >/dev/null

# Where the program, from its own folder, will look for the rules.
flags="$build/shell/help/CMakeFiles/novagrid_help.dir/flags.make"
from_programs=$(sed -n 's/.*-DNOVAGRID_DATA_FROM_PROGRAMS=\\"\([^\\]*\)\\".*/\1/p' "$flags")
[ -n "$from_programs" ] || fail "no rules folder compiled into the program ($flags)"
looked_up=$(realpath -m "$prefix/games/$from_programs")
[ "$looked_up" = "$datadir/novagrid" ] || fail "the program would look in $looked_up, not $datadir/novagrid"

grep -rqF "$datadir/novagrid" "$build/shell/help/cmake_install.cmake" ||
    fail "the rules file is not installed into $datadir/novagrid"
grep -qF '${CMAKE_INSTALL_PREFIX}/games/novagrid' "$build/shell/cmake_install.cmake" ||
    fail "the program is not installed into $prefix/games"
grep -qF "$datadir/novagrid/nvgd.rcc" "$build/packaging/novagrid.6" ||
    fail "the manual page does not name the rules file $datadir/novagrid/nvgd.rcc"
echo "games layout: program in $prefix/games looks for its rules in $looked_up, where they are installed"

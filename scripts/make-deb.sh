#!/bin/sh
# Builds the Debian package novagrid_<version>_<arch>.deb: a Release build of
# the game alone, configured for /usr with the program in /usr/games and
# built with Debian's own flags (all of its hardening), packed by CPack.
# Prints the package's path.
# Usage: make-deb.sh [build folder]   (default: build-deb)
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build-deb}

eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games \
      -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" \
      -DNOVAGRID_BUILD_TESTS=OFF -DNOVAGRID_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target novagrid novagrid_gzipped_docs >/dev/null
rm -f "$build"/novagrid_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/novagrid_*.deb

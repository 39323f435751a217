#!/bin/sh
# Builds the Debian package novagrid_<version>_<arch>.deb with CPack from a
# Release build laid out and compiled as scripts/package-options.sh says.
# Given the everyday build folder, it packs what is built there; a new folder
# gets a build of the game alone. Prints the package's path.
# Usage: make-deb.sh [build folder]   (default: build-deb)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-deb}

fresh=""
[ -f "$build/CMakeCache.txt" ] || fresh="-DNOVAGRID_BUILD_TESTS=OFF -DNOVAGRID_BUILD_BENCHMARKS=OFF"
# shellcheck disable=SC2086 # $fresh is a list of options
./scripts/package-options.sh | tr '\n' '\0' |
    xargs -0 cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release $fresh >/dev/null
cmake --build "$build" -j"$(nproc)" --target novagrid novagrid_gzipped_docs >/dev/null
rm -f "$build"/novagrid_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/novagrid_*.deb

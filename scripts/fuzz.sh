#!/bin/sh
# Builds the fuzz targets of tests/fuzz with clang 14, libFuzzer, ASan and
# UBSan in build-fuzz/ (a configuration of their own: the game itself is
# built with g++) and runs each for FUZZ_SECONDS (default 10) from its
# committed seeds. A finding fails the run and is left in build-fuzz/tests/fuzz/.
# With --build-only it stops after building (bench/report.sh runs them itself).
set -eu
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-10}
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DNOVAGRID_FUZZ=ON -DNOVAGRID_BUILD_BENCHMARKS=OFF -DNOVAGRID_FUZZ_SECONDS="$seconds" \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
targets=$(sed -n 's/^novagrid_fuzz(\([a-z_]*\) .*/fuzz_\1/p' tests/fuzz/CMakeLists.txt)
for target in $targets; do
  cmake --build build-fuzz -j"$(nproc)" --target "$target" >/dev/null
done
if [ "${1:-}" = --build-only ]; then exit 0; fi
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j"$(nproc)"

#!/bin/sh
# Installs what is missing, builds Novagrid with its tests and runs them all,
# then runs them once more built with AddressSanitizer and UBSan, and last
# builds, installs, plays and removes the Debian package. The readers of
# outside data are fuzzed for a few seconds each along the way.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh -DNOVAGRID_WERROR=ON
ctest --test-dir build --output-on-failure -j"$(nproc)"
./scripts/sanitize.sh
./scripts/fuzz.sh
./scripts/test-package.sh build

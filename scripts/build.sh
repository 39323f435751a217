#!/bin/sh
# Installs what is missing and builds Novagrid (Release) into build/, laid
# out and compiled as the Debian package ships it (scripts/package-options.sh).
# Further arguments go to CMake's configuration (test.sh adds -Werror).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/package-options.sh | tr '\n' '\0' | xargs -0 cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build build -j"$(nproc)"

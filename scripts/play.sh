#!/bin/sh
# Installs what is missing, builds Novagrid and starts it.
set -eu
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/shell/novagrid "$@"

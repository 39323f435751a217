#!/bin/sh
# Builds the game and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs every test there,
# the end-to-end games on Xvfb and on a headless weston included. Any report
# of either sanitizer, and any leak outside the third-party libraries named
# in scripts/lsan.supp, fails the run.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
./scripts/install-deps.sh

# Also in force while building: test discovery runs the test programs.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DNOVAGRID_SANITIZE=ON -DNOVAGRID_WERROR=ON -DNOVAGRID_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
# The tests run on a session bus of their own: with none, libdbus in the GUI
# tests would try to autolaunch one, and that hangs under AddressSanitizer.
dbus-run-session -- ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

#!/bin/sh
# Prints the CMake options of a build as Debian ships the game: installed
# under /usr with the program in /usr/games, compiled with Debian's own flags
# (all of its hardening). The everyday build uses them too, so that the
# package is made from it without compiling the game a second time.
set -eu
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# Without debug information: the package ships the program stripped.
CXXFLAGS=$(printf '%s' "$CXXFLAGS" | sed 's/\(^\| \)-g\( \|$\)/ /')
printf '%s\n' "-DCMAKE_INSTALL_PREFIX=/usr" "-DCMAKE_INSTALL_BINDIR=games" \
    "-DCMAKE_CXX_FLAGS=$CPPFLAGS $CXXFLAGS" "-DCMAKE_EXE_LINKER_FLAGS=$LDFLAGS"

#!/bin/sh
# Installs every Debian package that building, testing and playing Novagrid need.
# Idempotent: asks apt only for what is missing and refreshes the package lists
# only when something has to be installed.
set -eu

PACKAGES="
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl1-mesa-dev
  libsdl2-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2
  xvfb xauth xdotool imagemagick
  weston libweston-10-dev qt6-wayland dbus-daemon
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi dbus-bin
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  locales desktop-file-utils appstream
  dpkg-dev lintian man-db
  clang-14 libclang-rt-14-dev clang-format-14
"

missing=""
for pkg in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $pkg"
  fi
done

if [ -n "$missing" ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

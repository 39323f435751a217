#!/bin/sh
# The game as a distribution ships it: builds the Debian package, checks it
# with lintian, installs it with dpkg and apt, plays the installed
# /usr/games/novagrid and opens its rules on Xvfb, purges the package and
# checks that nothing of it is left in /usr. It installs into the system, so
# it runs as root (as CI does) and only where novagrid is not installed.
# Usage: test-package.sh [build folder]   (default: make-deb.sh's)
set -eu
cd "$(dirname "$0")/.."

fail() { echo "FAIL: $*" >&2; exit 1; }
installed() { dpkg-query -W -f='${Status}' novagrid 2>/dev/null | grep -q "ok installed"; }

[ "$(id -u)" -eq 0 ] || fail "installing the package needs root"
! installed || fail "novagrid is installed already; this check installs and removes it itself"
./scripts/install-deps.sh

deb=$(./scripts/make-deb.sh "$@")
echo "built $deb"
lintian --display-info --fail-on error,warning "$deb"
echo "lintian: no errors, no warnings"

work=$(mktemp -d)
trap 'if installed; then dpkg --purge novagrid >/dev/null; fi; rm -rf "$work"' EXIT
find /usr -xdev | sort >"$work/before"

# dpkg leaves the package unconfigured when a dependency is missing; apt
# then brings what is missing and finishes the install.
dpkg -i "$deb" || DEBIAN_FRONTEND=noninteractive apt-get -f install -y -qq
installed || fail "the package did not install"
dpkg -L novagrid >"$work/files"

python3 tests/e2e/play_installed_game.py --program /usr/games/novagrid
python3 tests/e2e/open_installed_rules.py --program /usr/games/novagrid
[ "$(man -w novagrid)" = /usr/share/man/man6/novagrid.6.gz ] || fail "man does not find the manual page"

dpkg --purge novagrid
find /usr -xdev | sort >"$work/after"

# Nothing the package brought may stay, save the folders it shares; what
# appeared meanwhile must belong to another package, a dependency apt
# brought.
left=$(while read -r path; do [ -d "$path" ] || [ ! -e "$path" ] || echo "$path"; done <"$work/files")
[ -z "$left" ] || fail "the purged package left files behind:
$left"
cat /var/lib/dpkg/info/*.list | sort -u >"$work/owned"
stray=$(comm -13 "$work/before" "$work/after" | comm -23 - "$work/owned")
[ -z "$stray" ] || fail "installing and purging the package left files in /usr that no package owns:
$stray"
echo "the package installed, the installed game played and showed its rules, and the purge left nothing behind"

# The Debian package, made by CPack from the install rules: `cpack -G DEB` in
# a build folder configured for /usr (scripts/make-deb.sh does it all).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME novagrid)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Blumo Games")
set(CPACK_PACKAGE_CONTACT "Blumo Games <novagrid@blumogames.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "timed stacking puzzle on a 9x9 board")
set(CPACK_PACKAGE_DESCRIPTION [[
Novagrid is a puzzle for one player, played with the mouse. A random
piece of one to nine tiles waits beside a 9x9 board: carry it over the
board, turn it with the right button and drop it where it fits. Tiles
stack up to four layers.

Every 3x3 square, row or column whose cells all hold one to three layers
loses a layer and scores; the level rises and the time for each piece
shrinks. The game speaks English and German and keeps a table of the
best scores.]])
# The package puts the files where this build expects them; the game finds
# its rules from the folders it was configured with.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})

# A native package: the maker builds it from its own source, so the version
# is the game's and the changelog is changelog.gz.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.blumogames.de/)
# The libraries the program links come from dpkg-shlibdeps. What it loads
# by other means is named here: the Qt platform plugins that open its window
# and the fonts that its texts and the rules are set in; and SDL, which plays
# the sound effects and without which the game plays silently.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libsdl2-2.0-0)

# What Debian asks of every package: stripped programs (see packaging/
# CMakeLists.txt), folders 0755, control files 0644.
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)

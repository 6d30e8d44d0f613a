# A Debian package of the installed editor (scripts/package runs cpack).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME d7irir)
set(CPACK_PACKAGE_VENDOR "D7Irir maintainers")
set(CPACK_PACKAGE_CONTACT "${D7_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Map editor for the kingdom maps of Thornvale")
# Debian wants the extended description's lines at most 80 characters long.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "D7Irir reads the game's own map store, map files, language file, season\n"
    "tilesets and palette, shows one of the 60 maps isometrically, edits it with\n"
    "the mouse, checks it against the game's rules and writes the map set back\n"
    "byte for byte.")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# An editor of game data, not a game: Debian keeps "games" for packages that
# install a game's binaries into /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The shared libraries the programs link against, found by dpkg-shlibdeps;
# Qt's platform plugins are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)

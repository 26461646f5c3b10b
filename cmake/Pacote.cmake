# A Debian package of what `cmake --install` installs, under /usr:
#   cpack -G DEB        (from a build folder)
# Its dependencies: the shared libraries the program links (the Allegro 4
# runtime, liballegro4.4, whose ALSA and X drivers come with it, and the C++
# runtime), found by dpkg-shlibdeps, and freepats for the music.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME avesso)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Avesso team")
set(CPACK_PACKAGE_CONTACT "Avesso team <dev@avesso.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling gravity-flipping race for 1 to 6 players")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "The view scrolls to the right and carries every runner along; each player"
  "has one key, which flips their runner's gravity while it stands. Fall"
  "behind the view and you are out; cross the finish line and you win. Up to"
  "six players share one keyboard.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "freepats")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Installed with DESTDIR into the staging folder, so the install step sees
# the real prefix and the menu entry names /usr/games/avesso.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The links to freepats's patch folders, relative inside the package.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/LigacoesRelativas.cmake)
include(CPack)

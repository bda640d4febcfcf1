# Packages, made with CPack from the installation (cmake/ZrInstall.cmake):
#
#   Linux:   (cd <build dir> && cpack -G DEB)  ->  zr-ironfall_<version>_amd64.deb
#            Build it in a build dir configured with -DZR_DEBIAN_LAYOUT=ON (binary in
#            /usr/games, pictures in /usr/share/games/zr-ironfall): the game is told at
#            compile time where its pictures lie. Dependencies come from dpkg-shlibdeps,
#            plus the fonts the game and its error boxes draw with. Debian's build
#            flags: eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags
#            --export=sh)"; CXXFLAGS="$CXXFLAGS $CPPFLAGS" before configuring.
#   Windows: (cd build-win && cpack)         ->  zr_ironfall-<version>-windows.zip
#            holding the folder zr_ironfall/ with zr_ironfall.exe, data/, README.txt
#            and LICENSE.txt.
include_guard(GLOBAL)

set(CPACK_PACKAGE_NAME zr-ironfall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zr Ironfall developers")
set(CPACK_PACKAGE_CONTACT "${ZR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down tank arcade game: hold the base against runaway tanks")
set(CPACK_PACKAGE_DESCRIPTION "\
Your base stands in the middle of the battlefield; enemy tanks whose
navigation has failed wander in from outside the window and ram it. Aim with
the mouse and fire: each fireball bursts where you clicked. Every tank
destroyed scores a point and brings one more tank into the battle, so the
fight grows harder with every kill.
.
A small single-player arcade game drawn with OpenGL, its menu, story and
score screens in Russian. The best result is kept in the player's home
directory.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zr_ironfall-${PROJECT_VERSION}-windows)
  # The install tree already has the one top folder, zr_ironfall/.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  set(CPACK_PACKAGING_INSTALL_PREFIX "")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZR_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The game's letters are drawn with Liberation Mono. Error boxes fall back to the X
  # core fonts of xfonts-base; Debian policy (11.8.5) forbids depending on an X font
  # package (lintian: package-depends-on-an-x-font-package, an error), so it is
  # recommended, which apt installs by default.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-base")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)

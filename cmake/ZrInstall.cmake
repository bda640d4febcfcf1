# Installation: `cmake --install <build dir> [--prefix <dir>]`, with DESTDIR staging.
#
# The installed tree is relocatable: the game finds its pictures relative to its own
# executable, through ZR_DATA_FROM_BINARY (below), so a tree installed under any prefix,
# or moved as a whole, still runs. The layouts (relative to the prefix):
#
#   default               bin/zr_ironfall               share/zr-ironfall/data/*.tga
#   -DZR_DEBIAN_LAYOUT=ON games/zr_ironfall             share/games/zr-ironfall/data/*.tga
#                         (prefix /usr: Debian's place for games; the .deb is built so)
#   Windows               zr_ironfall/zr_ironfall.exe   zr_ironfall/data/*.tga
#                         (the zip's layout, with README.txt and LICENSE.txt)
#
# Linux installs beside them the desktop entry, the icons in the hicolor theme, the
# AppStream metadata, the manual page (section 6) and share/doc/zr-ironfall/.
# ZR_INSTALL_BINDIR and ZR_INSTALL_DATADIR override the two game folders; the pictures
# always go into the data/ folder of ZR_INSTALL_DATADIR.
include_guard(GLOBAL)

option(ZR_DEBIAN_LAYOUT "Lay the installation out as Debian does for games (use a fresh build dir)" OFF)
if(ZR_DEBIAN_LAYOUT AND CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install path prefix" FORCE)
endif()
include(GNUInstallDirs)

if(WIN32)
  set(zr_bindir zr_ironfall)
  set(zr_datadir zr_ironfall)
elseif(ZR_DEBIAN_LAYOUT)
  set(zr_bindir games)
  set(zr_datadir ${CMAKE_INSTALL_DATAROOTDIR}/games/zr-ironfall)
else()
  set(zr_bindir ${CMAKE_INSTALL_BINDIR})
  set(zr_datadir ${CMAKE_INSTALL_DATAROOTDIR}/zr-ironfall)
endif()
set(ZR_INSTALL_BINDIR "${zr_bindir}" CACHE STRING "Where the game's executable goes, relative to the prefix")
set(ZR_INSTALL_DATADIR "${zr_datadir}" CACHE STRING
    "The game's share folder, relative to the prefix; the pictures go into its data/")

# The day the version in project() was given; the AppStream release and the Debian
# changelog carry it. Change it together with project(VERSION).
set(ZR_RELEASE_DATE 2026-12-07)

# --- What the game is told: its version, and where its pictures lie from its binary --
foreach(dir BINDIR DATADIR)
  if(IS_ABSOLUTE "${ZR_INSTALL_${dir}}")
    set(zr_full_${dir} "${ZR_INSTALL_${dir}}")
  else()
    set(zr_full_${dir} "${CMAKE_INSTALL_PREFIX}/${ZR_INSTALL_${dir}}")
  endif()
endforeach()
file(RELATIVE_PATH ZR_DATA_FROM_BINARY "${zr_full_BINDIR}" "${zr_full_DATADIR}")
if(ZR_DATA_FROM_BINARY STREQUAL "")
  set(ZR_DATA_FROM_BINARY .)
endif()
set(ZR_ICON_RESOURCE 1)  # the icon's resource ID in zr_ironfall.exe

# The installed game reads <dir of its executable>/${ZR_DATA_FROM_BINARY}/data/*.tga.
target_compile_definitions(zr_core PUBLIC ZR_VERSION="${PROJECT_VERSION}"
                           ZR_DATA_FROM_BINARY="${ZR_DATA_FROM_BINARY}")
if(WIN32)
  target_compile_definitions(zr_platform_win32 PRIVATE ZR_ICON_RESOURCE=${ZR_ICON_RESOURCE})
endif()

# --- The files ---------------------------------------------------------------------
set(zr_dist ${PROJECT_SOURCE_DIR}/dist)
set(zr_gen ${PROJECT_BINARY_DIR}/dist)
file(GLOB ZR_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*.tga)

install(TARGETS zr_ironfall RUNTIME DESTINATION ${ZR_INSTALL_BINDIR})
if(NOT WIN32 AND CMAKE_STRIP)
  # A stripped install (cmake --install --strip, CPack) also drops the notes that a
  # plain strip leaves, as Debian's dh_strip does.
  set(zr_exe "\${CMAKE_INSTALL_PREFIX}/${ZR_INSTALL_BINDIR}/zr_ironfall")
  if(IS_ABSOLUTE "${ZR_INSTALL_BINDIR}")
    set(zr_exe "${ZR_INSTALL_BINDIR}/zr_ironfall")
  endif()
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              \"\$ENV{DESTDIR}${zr_exe}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endif()
install(FILES ${ZR_PICTURES} DESTINATION ${ZR_INSTALL_DATADIR}/data)

if(WIN32)
  # The executable's icon, version information and manifest.
  enable_language(RC)
  set(ZR_ICO_FILE ${zr_dist}/icons/zr_ironfall.ico)
  set(zr_v)
  foreach(part MAJOR MINOR PATCH TWEAK)  # four numbers, 0 for those not given
    set(n "${PROJECT_VERSION_${part}}")
    if(n STREQUAL "")
      set(n 0)
    endif()
    list(APPEND zr_v ${n})
  endforeach()
  string(JOIN "," ZR_VERSION_COMMAS ${zr_v})
  string(JOIN "." ZR_VERSION_DOTS ${zr_v})
  set(ZR_MANIFEST_FILE ${zr_gen}/zr_ironfall.exe.manifest)
  configure_file(${zr_dist}/zr_ironfall.exe.manifest ${ZR_MANIFEST_FILE} @ONLY)
  configure_file(${zr_dist}/zr_ironfall.rc.in ${zr_gen}/zr_ironfall.rc @ONLY)
  target_sources(zr_ironfall PRIVATE ${zr_gen}/zr_ironfall.rc)
  set_property(SOURCE ${zr_gen}/zr_ironfall.rc APPEND PROPERTY OBJECT_DEPENDS ${ZR_ICO_FILE} ${ZR_MANIFEST_FILE})

  # For players: README.txt and LICENSE.txt, with Windows line ends.
  configure_file(${zr_dist}/README.txt.in ${zr_gen}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${zr_gen}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
  install(FILES ${zr_gen}/README.txt ${zr_gen}/LICENSE.txt DESTINATION ${ZR_INSTALL_BINDIR})
  return()
endif()

# Linux: the desktop entry, the icons, the AppStream metadata, the manual page, the docs.
set(ZR_APPSTREAM_ID io.github.zrironfall.ZrIronfall)
set(ZR_FULL_BINDIR ${zr_full_BINDIR})
set(ZR_FULL_DATADIR ${zr_full_DATADIR})
string(REGEX MATCH "^([0-9]+)-([0-9]+)" zr_ymd "${ZR_RELEASE_DATE}")
set(zr_months January February March April May June July August September October November December)
math(EXPR zr_month "${CMAKE_MATCH_2} - 1")
list(GET zr_months ${zr_month} zr_month_name)
set(ZR_RELEASE_MONTH "${zr_month_name} ${CMAKE_MATCH_1}")
set(ZR_MAINTAINER "The Zr Ironfall developers <developers@zr-ironfall.example>" CACHE STRING
    "Maintainer of the Debian package and its changelog: Name <address>")
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -d "${ZR_RELEASE_DATE}" "+%a, %d %b %Y 12:00:00 +0000"
                OUTPUT_VARIABLE ZR_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)

configure_file(${zr_dist}/${ZR_APPSTREAM_ID}.metainfo.xml.in ${zr_gen}/${ZR_APPSTREAM_ID}.metainfo.xml @ONLY)
configure_file(${zr_dist}/zr_ironfall.6.in ${zr_gen}/zr_ironfall.6 @ONLY)
configure_file(${zr_dist}/changelog.in ${zr_gen}/changelog @ONLY)

# The manual page and the changelog are installed compressed, as Debian wants them
# (gzip -9n: no name, no time stamp, so the same bytes every build).
find_program(ZR_GZIP gzip REQUIRED)
set(zr_gz)
foreach(f zr_ironfall.6 changelog)
  add_custom_command(OUTPUT ${zr_gen}/${f}.gz
                     COMMAND ${ZR_GZIP} -9n -c ${zr_gen}/${f} > ${zr_gen}/${f}.gz
                     DEPENDS ${zr_gen}/${f} VERBATIM)
  list(APPEND zr_gz ${zr_gen}/${f}.gz)
endforeach()
add_custom_target(zr_install_docs ALL DEPENDS ${zr_gz})

install(FILES ${zr_dist}/zr-ironfall.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${zr_dist}/icons/zr-ironfall-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps RENAME zr-ironfall.png)
endforeach()
install(FILES ${zr_gen}/${ZR_APPSTREAM_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${zr_gen}/zr_ironfall.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${zr_dist}/copyright ${zr_gen}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zr-ironfall)

# How ZelkScope installs as a desktop program, and its Debian package.
#
# The program finds its sample logs in the `logs` folder beside its own
# executable, so both live together in lib/zelkscope; bin/zelkscope is a
# relative symlink to it (Qt resolves the link when it asks for the
# executable's folder). The desktop entry and the icons go where menus and
# file managers look for them.

include(GNUInstallDirs)

# Not CMAKE_INSTALL_LIBDIR: on Debian that names the multiarch folder, and the
# program's own folder belongs in plain lib/.
set(ZELK_INSTALL_PROGRAM_DIR lib/zelkscope)

install(TARGETS zelkscope RUNTIME DESTINATION ${ZELK_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/logs/ DESTINATION ${ZELK_INSTALL_PROGRAM_DIR}/logs
  FILES_MATCHING PATTERN "*.txt")
install(FILES ${CMAKE_SOURCE_DIR}/data/zelkscope.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS ZELK_ICON_SIZES)
  install(FILES ${ZELK_ICON_DIR}/${size}x${size}/apps/zelkscope.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, the licence and history, and the AppStream metadata.
#
# CHANGELOG.md holds the releases; project() names the version, which must be
# the newest release's. The page is made from the program's own --help by
# help2man, with the files, keys and exit statuses of data/zelkscope.h2m, and
# dated by the newest release so that the same sources make the same page.
# Everything that is compressed is compressed as Debian wants it: at most,
# and with no name or time stamp in the gzip header.
include(${CMAKE_SOURCE_DIR}/cmake/release_notes.cmake)
set(ZELK_MAINTAINER "ZelkScope developers <zelkscope@example.org>")
zelk_read_releases(${CMAKE_SOURCE_DIR}/CHANGELOG.md "${ZELK_MAINTAINER}")
# Where the project's home page is: the README's pictures are published under
# it (docs/screenshot.png), which is where software centres fetch them from.
set(ZELK_HOMEPAGE "https://zelkscope.example.org" CACHE STRING
  "The project's home page, under which docs/ with the README's pictures is published")
set(ZELK_APPSTREAM_ID org.example.zelkscope)
set(ZELK_SHARE_DIR ${CMAKE_BINARY_DIR}/share)
configure_file(${CMAKE_SOURCE_DIR}/data/zelkscope.metainfo.xml.in
  ${ZELK_SHARE_DIR}/${ZELK_APPSTREAM_ID}.metainfo.xml @ONLY)
file(GENERATE OUTPUT ${ZELK_SHARE_DIR}/changelog CONTENT "${ZELK_DEBIAN_CHANGELOG}")

find_program(ZELK_HELP2MAN help2man)
find_program(ZELK_GZIP gzip)
if(NOT ZELK_HELP2MAN OR NOT ZELK_GZIP)
  message(FATAL_ERROR "help2man and gzip make the manual page: run scripts/install-deps.sh")
endif()
add_custom_command(OUTPUT ${ZELK_SHARE_DIR}/zelkscope.1.gz
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${ZELK_RELEASE_EPOCH} LC_ALL=C.UTF-8
    ${ZELK_HELP2MAN} --no-info --include ${CMAKE_SOURCE_DIR}/data/zelkscope.h2m
    --output ${ZELK_SHARE_DIR}/zelkscope.1 $<TARGET_FILE:zelkscope>
  COMMAND ${ZELK_GZIP} -9nf ${ZELK_SHARE_DIR}/zelkscope.1
  DEPENDS zelkscope ${CMAKE_SOURCE_DIR}/data/zelkscope.h2m
  COMMENT "Writing the manual page from zelkscope --help"
  VERBATIM)
add_custom_command(OUTPUT ${ZELK_SHARE_DIR}/changelog.gz
  COMMAND ${ZELK_GZIP} -9nkf ${ZELK_SHARE_DIR}/changelog
  DEPENDS ${ZELK_SHARE_DIR}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(docs ALL DEPENDS ${ZELK_SHARE_DIR}/zelkscope.1.gz ${ZELK_SHARE_DIR}/changelog.gz)

install(FILES ${ZELK_SHARE_DIR}/zelkscope.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright ${ZELK_SHARE_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zelkscope)
install(FILES ${ZELK_SHARE_DIR}/${ZELK_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The link is made at install time so that it follows both --prefix and
# DESTDIR (CPack stages the package through the install prefix).
file(RELATIVE_PATH ZELK_LINK_TARGET /${CMAKE_INSTALL_BINDIR}
  /${ZELK_INSTALL_PROGRAM_DIR}/zelkscope)
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/zelkscope\")
  message(STATUS \"Installing: \${link} -> ${ZELK_LINK_TARGET}\")
  get_filename_component(bin_dir \"\${link}\" DIRECTORY)
  file(MAKE_DIRECTORY \"\${bin_dir}\")
  file(CREATE_LINK \"${ZELK_LINK_TARGET}\" \"\${link}\" SYMBOLIC RESULT made)
  if(NOT made STREQUAL \"0\")
    message(FATAL_ERROR \"Cannot create the link \${link}: \${made}\")
  endif()
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${link}\")
")

# The Debian package: `cpack -G DEB` in the build folder writes
# zelkscope_<version>_<arch>.deb there.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelkscope)
set(CPACK_PACKAGE_VENDOR "ZelkScope developers")
set(CPACK_PACKAGE_CONTACT "${ZELK_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Viewer of car engine control unit data logs")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_PACKAGE_DESCRIPTION
  "ZelkScope reads data logs recorded from a car's engine control unit and
shows one engine quantity at a time as a time graph, with a raw-data
listing, a marker read off with the arrow keys, twelve fault lamps and a bit
view of any frame byte. Sample logs are included.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The libraries the program links are worked out from the binary by
# dpkg-shlibdeps, each with the version it needs at least; named by hand are
# only what it loads at run time: Qt's platform plugins and the fonts the
# window draws with (Liberation Serif, Sans and Mono).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
include(CPack)

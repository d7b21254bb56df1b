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
set(CPACK_PACKAGE_CONTACT "ZelkScope developers <zelkscope@example.org>")
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
# Named, not worked out from the build machine's libraries, so that the list
# is the same wherever the package is built. The fonts are those the window
# draws with (Liberation Serif, Sans and Mono); libpng16-16 writes its pictures.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6, libqt6gui6, libqt6widgets6, qt6-qpa-plugins, fonts-liberation2, libpng16-16")
include(CPack)

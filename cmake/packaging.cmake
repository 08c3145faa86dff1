# Installing and packaging. The layout follows the file-system hierarchy: the programs in bin/,
# the data they read in share/orvanta/ (found from the program's own folder, so any prefix
# works), the desktop's files in share/applications, share/metainfo, share/icons, share/man and
# share/bash-completion. Nothing is installed outside the prefix: the user's macro files and
# configuration stay in the user's own folders and survive every upgrade.
#
# `cpack -G DEB` in a built build folder makes the Debian package; its run-time dependencies are
# computed from the programs' libraries (dpkg-shlibdeps), plus what is loaded without linking.
include(GNUInstallDirs)

install(TARGETS orvanta-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET orvanta)
  install(TARGETS orvanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${ORV_HELP_BUILD_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orvanta/help)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VENDOR "The Orvanta developers")
set(CPACK_PACKAGE_CONTACT "The Orvanta developers <orvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard and mouse macros for the X11 desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvanta keeps up to 500 macros in a macro file and plays them into whatever
window has the focus: it types text, presses keys, moves and clicks the mouse,
starts and arranges programs and windows, and works with the clipboard, files
and desktop settings. A macro starts from a hot key, a typed abbreviation, a
window title, a schedule, a popup menu, the tray, the command line or another
macro.
.
The package holds the resident program orvanta, with its help pages, and
orvanta-cli, which lists, creates and dry-runs macro files from a terminal.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
# Install with DESTDIR under the package's own prefix, so that what is written at install time
# (the manual pages name the installed documents) sees /usr rather than the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its X11 platform plugin at run time, so no library names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Opening web pages and files, desktop settings, network connections and the CD tray go through
# these programs when they are there.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libglib2.0-bin, network-manager, eject")
include(CPack)

# Installation and the Debian package.
#
# The programs go to bin/, the help book to share/ksv717n/help (the program
# looks for it relative to its own folder, so a moved installation still
# finds it), the desktop entry and icon to their freedesktop places, and the
# licences to share/doc/ksv717n. The print fonts are compiled into the
# program.

include(GNUInstallDirs)

foreach(program ksv717n ksv717n-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/src/ui/help/book/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ksv717n/help)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ksv717n.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ksv717n.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/src/print/fonts/LICENSE-terminus.txt
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ksv717n)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KSV717N developers <ksv717n@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming tool for Тарвен two-way radio transceivers")
set(CPACK_PACKAGE_DESCRIPTION "Reads, edits and writes the 256-byte settings image of Тарвен
land-mobile transceivers over a serial port, keeps settings in .ust files and
prints a programming card. Includes the command-line companion ksv717n-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time; the library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

# Installation and the Debian package.
#
# The programs go to bin/, the help book to share/ksv717n/help (the program
# looks for it relative to its own folder, so a moved installation still
# finds it), the desktop entry, icon and AppStream entry to their
# freedesktop places, the manual pages to share/man, the bash completion to
# share/bash-completion/completions, and the copyright, the licences and the
# changelog made from docs/release-notes.md to share/doc/ksv717n. The print
# fonts are compiled into the program.

include(GNUInstallDirs)
include(ReleaseNotes)
include(ManPages)

set(KSV_PACKAGE_MAINTAINER "KSV717N developers <ksv717n@tarven-radio.ru>"
    CACHE STRING "Maintainer of the Debian package and signer of its changelog")
set(KSV_APPSTREAM_ID ru.tarven_radio.ksv717n)

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
install(FILES ${PROJECT_SOURCE_DIR}/packaging/ksv717n-cli.bash-completion
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ksv717n-cli)

configure_file(${PROJECT_SOURCE_DIR}/packaging/ksv717n.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${KSV_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${KSV_APPSTREAM_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

ksv_add_manpages()

# The changelog, signed by the maintainer; a native package keeps it as
# changelog.gz.
set(ksv_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${ksv_changelog}
  COMMAND sh -c "'${PROJECT_SOURCE_DIR}/packaging/changelog-from-release-notes' \"$0\" ksv717n \"$1\" | gzip -9n > \"$2\""
          ${KSV_RELEASE_NOTES} ${KSV_PACKAGE_MAINTAINER} ${ksv_changelog}
  DEPENDS ${KSV_RELEASE_NOTES} ${PROJECT_SOURCE_DIR}/packaging/changelog-from-release-notes
  COMMENT "Changelog from the release notes"
  VERBATIM)
add_custom_target(changelog ALL DEPENDS ${ksv_changelog})
install(FILES ${ksv_changelog} ${PROJECT_SOURCE_DIR}/packaging/copyright
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/src/print/fonts/LICENSE-terminus.txt
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ksv717n)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${KSV_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming tool for Тарвен two-way radio transceivers")
set(CPACK_PACKAGE_DESCRIPTION "Reads, edits and writes the 256-byte settings image of Тарвен
land-mobile transceivers over a serial port, keeps settings in .ust files and
prints a programming card. Includes the command-line companion ksv717n-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KSV_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its platform plugins at run time; the library scan cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)

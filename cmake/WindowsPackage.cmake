# The Windows packages, made by the target windows_package (scripts/windows):
#   <build>/ksv717n-<version>-win64.zip        both programs, README.txt, licences
#   <build>/ksv717n-<version>-win64-setup.exe  the same as an NSIS installer
# Both hold the same staged folder, <build>/package/ksv717n-<version>-win64.

find_program(KSV_ZIP zip REQUIRED)
find_program(KSV_MAKENSIS makensis REQUIRED)

set(KSV_WINDOWS_PACKAGE ksv717n-${PROJECT_VERSION}-win64)
set(stage ${CMAKE_BINARY_DIR}/package/${KSV_WINDOWS_PACKAGE})
set(stamp ${CMAKE_BINARY_DIR}/package/${KSV_WINDOWS_PACKAGE}.staged)
set(zip ${CMAKE_BINARY_DIR}/${KSV_WINDOWS_PACKAGE}.zip)
set(setup ${CMAKE_BINARY_DIR}/${KSV_WINDOWS_PACKAGE}-setup.exe)

# Statically linked into the programs, so their notices travel with them:
# Qt (Debian's record of qt6-base, every bundled part with its licence) and
# the MinGW-w64 runtime (winpthreads). GCC's runtime needs no notice.
set(KSV_QT_COPYRIGHT /usr/share/doc/libqt6core6/copyright CACHE FILEPATH
    "Debian's copyright file of qt6-base, shipped as the Qt libraries' notices")
set(KSV_MINGW_COPYRIGHT /usr/share/doc/mingw-w64-common/copyright CACHE FILEPATH
    "Debian's copyright file of the MinGW-w64 runtime")
set(KSV_LGPL3 /usr/share/common-licenses/LGPL-3 CACHE FILEPATH "Text of the LGPL version 3")

set(texts
  ${KSV_WINDOWS_DIR}/README.txt:README.txt
  ${PROJECT_SOURCE_DIR}/COPYING:licenses/COPYING.txt
  ${PROJECT_SOURCE_DIR}/packaging/copyright:licenses/copyright.txt
  ${PROJECT_SOURCE_DIR}/src/print/fonts/LICENSE-terminus.txt:licenses/LICENSE-terminus.txt
  ${KSV_WINDOWS_DIR}/Qt-NOTICE.txt:licenses/Qt-NOTICE.txt
  ${KSV_LGPL3}:licenses/LGPL-3.txt
  ${KSV_QT_COPYRIGHT}:licenses/Qt-copyright.txt
  ${KSV_MINGW_COPYRIGHT}:licenses/MinGW-w64-copyright.txt)
set(text_sources)
foreach(pair ${texts})
  string(REGEX REPLACE ":[^:]*$" "" source ${pair})
  list(APPEND text_sources ${source})
endforeach()

add_custom_command(OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND}
    -DSTAGE=${stage} "-DPROGRAMS=$<TARGET_FILE:ksv717n>;$<TARGET_FILE:ksv717n-cli>"
    "-DTEXTS=${texts}" -DVERSION=${PROJECT_VERSION} -DQT_VERSION=${Qt6_VERSION}
    -DHOMEPAGE=${KSV_HOMEPAGE} -P ${PROJECT_SOURCE_DIR}/cmake/WindowsStage.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
  DEPENDS ksv717n ksv717n-cli ${text_sources} ${PROJECT_SOURCE_DIR}/cmake/WindowsStage.cmake
  COMMENT "Staging ${KSV_WINDOWS_PACKAGE}"
  VERBATIM)

add_custom_command(OUTPUT ${zip}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${zip}
  COMMAND ${KSV_ZIP} -q -r -X -9 ${zip} ${KSV_WINDOWS_PACKAGE}
  DEPENDS ${stamp}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/package
  COMMENT "Packing ${KSV_WINDOWS_PACKAGE}.zip"
  VERBATIM)

set(nsi ${KSV_WINDOWS_DIR}/installer.nsi)
add_custom_command(OUTPUT ${setup}
  COMMAND ${KSV_MAKENSIS} -V2 -INPUTCHARSET UTF8
    -DVERSION=${PROJECT_VERSION}
    -DVERSION4=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0
    -DPUBLISHER=${KSV_WINDOWS_PUBLISHER}
    "-DCOPYRIGHT=© ${KSV_COPYRIGHT_YEARS} ${KSV_COPYRIGHT_HOLDER}"
    -DSIZE_NSH=${stage}.nsh
    -DHOMEPAGE=${KSV_HOMEPAGE}
    -DSTAGE=${stage} -DICON=${KSV_WINDOWS_ICON} -DOUTFILE=${setup} ${nsi}
  DEPENDS ${stamp} ${nsi} ${KSV_WINDOWS_ICON}
  COMMENT "Building ${KSV_WINDOWS_PACKAGE}-setup.exe"
  VERBATIM)

add_custom_target(windows_package DEPENDS ${zip} ${setup})

# The two Windows programs as finished .exe files (after WindowsBuild.cmake
# and the programs' targets): each carries a version resource, the program's
# icon and a manifest. The Debian parts (package, manual pages, desktop
# entry) are not built here; WindowsPackage.cmake makes the zip and the
# installer instead.

set(KSV_WINDOWS_DIR ${PROJECT_SOURCE_DIR}/packaging/windows)

# The copyright as the project's copyright file gives them for its
# own files ("Copyright: <years> <holder> <address>").
function(ksv_read_copyright_holder)
  file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/copyright lines ENCODING UTF-8
       REGEX "^Copyright: ")
  list(GET lines 0 first)
  if(NOT first MATCHES "^Copyright: ([0-9, -]+) ([^<]+[^< ]) *(<.*>)?$")
    message(FATAL_ERROR "packaging/copyright: cannot read the holder from \"${first}\"")
  endif()
  set(KSV_COPYRIGHT_YEARS ${CMAKE_MATCH_1} PARENT_SCOPE)
  set(KSV_COPYRIGHT_HOLDER ${CMAKE_MATCH_2} PARENT_SCOPE)
endfunction()
ksv_read_copyright_holder()
# The publisher as the list of installed programs and a file's properties
# show it to a Russian-speaking user; the copyright keeps the legal holder.
set(KSV_WINDOWS_PUBLISHER "Разработчики KSV717N")

# The version as Windows keeps it: four numbers.
set(KSV_RC_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR})
foreach(part PATCH TWEAK)
  if(PROJECT_VERSION_${part})
    string(APPEND KSV_RC_VERSION_COMMAS ",${PROJECT_VERSION_${part}}")
  else()
    string(APPEND KSV_RC_VERSION_COMMAS ",0")
  endif()
endforeach()

# The icon in the sizes Windows asks for, drawn from the one SVG; the 256
# pixel image is stored as PNG, as Windows expects it.
find_program(KSV_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KSV_ICOTOOL icotool REQUIRED)
set(KSV_WINDOWS_ICON ${CMAKE_BINARY_DIR}/packaging/ksv717n.ico)
set(icon_pngs)
set(icon_commands)
foreach(size 16 20 24 32 40 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/packaging/icon/${size}.png)
  list(APPEND icon_commands COMMAND ${KSV_RSVG_CONVERT} -w ${size} -h ${size}
       -o ${png} ${PROJECT_SOURCE_DIR}/packaging/ksv717n.svg)
  if(size EQUAL 256)
    list(APPEND icon_pngs --raw=${png})
  else()
    list(APPEND icon_pngs ${png})
  endif()
endforeach()
add_custom_command(OUTPUT ${KSV_WINDOWS_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/icon
  ${icon_commands}
  COMMAND ${KSV_ICOTOOL} -c -o ${KSV_WINDOWS_ICON} ${icon_pngs}
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/ksv717n.svg
  COMMENT "Windows icon from packaging/ksv717n.svg"
  VERBATIM)
add_custom_target(ksv_windows_icon DEPENDS ${KSV_WINDOWS_ICON})

# ksv_windows_program(<target> [GUI] DESCRIPTION <Russian text>)
#
# Makes <target> a finished Windows program: the window subsystem for GUI
# (no console window opens), the version resource, icon and manifest, and
# Qt's platform plugin compiled in for GUI; a console program gets no plugin.
function(ksv_windows_program target)
  cmake_parse_arguments(P "GUI" "DESCRIPTION" "" ${ARGN})
  get_target_property(name ${target} OUTPUT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  set(KSV_RC_NAME ${name})
  set(KSV_RC_DESCRIPTION "${P_DESCRIPTION}")
  set(KSV_RC_ICON ${KSV_WINDOWS_ICON})
  set(KSV_RC_MANIFEST ${KSV_WINDOWS_DIR}/ksv717n.manifest)
  set(rc ${CMAKE_BINARY_DIR}/packaging/${name}.rc)
  configure_file(${KSV_WINDOWS_DIR}/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES
    OBJECT_DEPENDS "${KSV_WINDOWS_ICON};${KSV_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} ksv_windows_icon)
  if(P_GUI)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
    qt_import_plugins(${target}
      INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
  else()
    qt_import_plugins(${target} NO_DEFAULT platforms styles imageformats)
  endif()
endfunction()

# Qt's Russian texts (standard buttons, file and print dialogs) inside the
# window program, found through a compiled-in qt.conf: the program loads
# them from QLibraryInfo's translations path, which a static Qt for Windows
# does not have on disk. The same Qt version's catalogue from Debian.
set(KSV_QT_TRANSLATIONS /usr/share/qt6/translations CACHE PATH
    "Qt's translation catalogues (Debian's qt6-translations-l10n)")
function(ksv_windows_qt_translations target)
  if(NOT EXISTS ${KSV_QT_TRANSLATIONS}/qtbase_ru.qm)
    message(FATAL_ERROR "No ${KSV_QT_TRANSLATIONS}/qtbase_ru.qm (apt-get install qt6-translations-l10n)")
  endif()
  set_source_files_properties(${KSV_WINDOWS_DIR}/qt.conf PROPERTIES QT_RESOURCE_ALIAS qt.conf)
  set_source_files_properties(${KSV_QT_TRANSLATIONS}/qtbase_ru.qm PROPERTIES
    QT_RESOURCE_ALIAS qtbase_ru.qm)
  qt_add_resources(${target} ksv_windows_qt_conf PREFIX /qt/etc
    FILES ${KSV_WINDOWS_DIR}/qt.conf OPTIONS --no-zstd)
  qt_add_resources(${target} ksv_windows_qt_translations PREFIX /qt/translations
    FILES ${KSV_QT_TRANSLATIONS}/qtbase_ru.qm OPTIONS --no-zstd)
endfunction()

foreach(program ksv717n ksv717n-cli)
  if(NOT TARGET ${program})
    message(FATAL_ERROR "cmake/Windows.cmake: no target ${program}")
  endif()
endforeach()
ksv_windows_program(ksv717n GUI DESCRIPTION "Программирование радиостанций Тарвен")
ksv_windows_qt_translations(ksv717n)
ksv_windows_program(ksv717n-cli
  DESCRIPTION "Программирование радиостанций Тарвен из командной строки")

include(WindowsPackage)

# add_unit_test(<name> SOURCES <files...> LIBS <targets...>)
#
# Builds one GoogleTest binary and registers its cases with CTest. Cases are
# listed when ctest runs (PRE_TEST), so a test binary that needs a display or a
# pseudo-terminal is never started at build time. Every test binary links
# ksv_test_environment, which points the four COM port names at paths that do
# not exist before main() runs, so no test can ever open one of the machine's
# real serial ports; a test that needs a port maps it to a pseudo-terminal.
#
# On Windows only the binaries of KSV_WINDOWS_TESTS (tests/CMakeLists.txt) are
# made, with Qt's offscreen platform plugin compiled in, and each runs as one
# ctest test under Wine.
function(add_unit_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(WIN32 AND NOT name IN_LIST KSV_WINDOWS_TEST_NAMES)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(WIN32)
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
  endif()
  set_property(GLOBAL APPEND PROPERTY KSV_UNIT_TEST_TARGETS ${name})
  target_link_libraries(${name} PRIVATE ksv_test_environment ${T_LIBS} GTest::gtest GTest::gtest_main)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(WIN32)
    # Under Wine every program start costs about a second: one ctest test
    # per binary, whose output names any failed case.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    return()
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      TIMEOUT ${T_TIMEOUT}
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

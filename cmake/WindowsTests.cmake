# Unit tests of the Windows build: GoogleTest compiled from Debian's sources
# (package googletest), and ctest running the test binaries under Wine through
# the toolchain's CMAKE_CROSSCOMPILING_EMULATOR. scripts/windows-test runs
# them inside scripts/wine-test; tests/CMakeLists.txt lists which binaries
# build for Windows.

set(KSV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest sources, built for Windows with the project")
if(NOT EXISTS ${KSV_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${KSV_GOOGLETEST_SOURCE} (apt-get install googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${KSV_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)
include(AddUnitTest)
enable_testing()

# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
#
#   cmake -S . -B build-win64 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
#     -DKSV_QT_MINGW_DIR=<static Qt for Windows> \
#     -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
#
# scripts/windows does all of this. Qt's host tools (moc, rcc, uic) come from
# Debian's qt6-base-dev-tools of the same version. Test programs run under
# Wine (CMAKE_CROSSCOMPILING_EMULATOR), which ctest and the GoogleTest case
# listing use.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KSV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KSV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KSV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KSV_MINGW_TRIPLET}-windres)

# try_compile() reads this file again in a project of its own: pass the Qt
# folder on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KSV_QT_MINGW_DIR)
if(NOT KSV_QT_MINGW_DIR AND DEFINED ENV{KSV_QT_MINGW_DIR})
  set(KSV_QT_MINGW_DIR $ENV{KSV_QT_MINGW_DIR})
endif()

# Libraries, headers and CMake packages come from the MinGW sysroot and the
# Windows Qt only, never from the build machine; programs from the build
# machine. Qt finds its host tools through QT_HOST_PATH itself.
set(CMAKE_FIND_ROOT_PATH /usr/${KSV_MINGW_TRIPLET} ${KSV_QT_MINGW_DIR})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(KSV_QT_MINGW_DIR)
  list(APPEND CMAKE_PREFIX_PATH ${KSV_QT_MINGW_DIR})
endif()

find_program(KSV_WINE wine)
if(KSV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KSV_WINE})
endif()

# Settings of the Windows build (cross-compiled on Debian with
# cmake/toolchains/mingw-w64-x86_64.cmake; scripts/windows drives it), made
# before any target.
#
# Both programs are single self-contained .exe files: Qt is static, and
# -static links the MinGW runtime (libstdc++, libgcc, winpthread) in, so they
# import only Windows' own DLLs. The test binaries are linked the same way,
# so that Wine runs them without any DLL beside them.

enable_language(RC)

add_link_options(-static $<$<CONFIG:Release,MinSizeRel>:-s>)

# -O2 as the Linux builds use: at -O3, MinGW's GCC 12 warns falsely
# (-Wrestrict) inside std::string's operator+.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

# Debian's rcc can compress resources with zstd, which this Qt cannot read.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)

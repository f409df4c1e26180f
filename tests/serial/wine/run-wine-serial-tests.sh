#!/bin/bash
# Builds the Windows serial device's tests with MinGW-w64 and runs them under
# Wine against the transceiver simulator, whose pseudo-terminal is mapped as
# COM5 in a fresh Wine prefix.
#
#   tests/serial/wine/run-wine-serial-tests.sh [BUILD_DIR] [-- GTEST_ARGS...]
#
# BUILD_DIR (default build-wine-serial) receives the cross-built GoogleTest,
# the test program and a Linux build of ksv717n-sim (unless KSV_SIM names
# one). Needs root: the run happens in a private mount namespace in which every
# serial device of the machine is covered by /dev/null, since Wine maps them
# to COM names by itself and no test may reach a real port. Packages:
# g++-mingw-w64-x86-64-posix, wine, wine64, googletest, cmake, ninja-build.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)

if [ "${1:-}" = "--run-inside" ]; then
    shift
    exe=$1 sim=$2
    shift 2
    for dev in /dev/ttyS* /dev/ttyUSB* /dev/ttyACM*; do
        if [ -e "$dev" ]; then mount --bind /dev/null "$dev"; fi
    done
    prefix=$(mktemp -d "${TMPDIR:-/tmp}/ksv-wine-serial.XXXXXX")
    simlog="$prefix.sim"
    export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    "$sim" --pacing >"$simlog" 2>&1 &
    simpid=$!
    cleanup() {
        wineserver -k 2>/dev/null || true
        kill "$simpid" 2>/dev/null || true
        wait "$simpid" 2>/dev/null || true
        rm -rf "$prefix" "$simlog"
    }
    trap cleanup EXIT
    for _ in $(seq 50); do
        grep -q '^device: ' "$simlog" && break
        sleep 0.1
    done
    pts=$(sed -n 's/^device: //p' "$simlog")
    [ -n "$pts" ] || { echo "the simulator did not start" >&2; exit 1; }
    echo "simulator on $pts, mapped as COM5"
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /t REG_SZ /d "$pts" /f >/dev/null
    # Wine maps its COM names when the server starts: restart it.
    wineserver -k
    wineserver -w
    KSV717N_TEST_PORT=COM5 wine "$exe" --gtest_color=no "$@"
    exit $?
fi

build=${1:-build-wine-serial}
[ $# -gt 0 ] && shift
[ "${1:-}" = "--" ] && shift
mkdir -p "$build"
build=$(cd "$build" && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "run-wine-serial-tests.sh: needs root for a private mount namespace" >&2
    exit 2
fi

toolchain="$build/mingw-w64.cmake"
cat >"$toolchain" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

gtest="$build/gtest-mingw"
if [ ! -f "$gtest/lib/libgtest.a" ]; then
    cmake -S /usr/src/googletest -B "$build/gtest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest" \
        "${launcher[@]}" >/dev/null
    cmake --build "$build/gtest-build" -j2
    cmake --install "$build/gtest-build" >/dev/null
fi

cmake -S "$here" -B "$build/tests" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DGTest_DIR="$gtest/lib/cmake/GTest" "${launcher[@]}" >/dev/null
cmake --build "$build/tests" -j2

sim=${KSV_SIM:-}
if [ -z "$sim" ]; then
    cmake -S "$root" -B "$build/linux" -G Ninja "${launcher[@]}" -DKSV_BUILD_TESTS=ON >/dev/null
    cmake --build "$build/linux" --target ksv717n_sim -j2
    sim="$build/linux/bin/ksv717n-sim"
fi

exec unshare -m --propagation private "$0" --run-inside "$build/tests/serial_wine_tests.exe" \
    "$sim" "$@"

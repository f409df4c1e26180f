# Sourced by the Windows build scripts: the Debian 12 packages the Windows
# build, its packages and its tests under Wine need (only the missing ones are
# installed), the source lines for Debian's source packages, and the static
# Qt for Windows in a cache folder outside the tree.

source "$(dirname "${BASH_SOURCE[0]}")/deps.sh"
KSV_PACKAGES=(
  cmake ninja-build ccache
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  qt6-base-dev qt6-base-dev-tools # Qt's host tools (moc, rcc, uic) and their CMake files
  qt6-translations-l10n           # Qt's Russian texts, compiled into the program
  googletest                      # its sources, built for Windows
  librsvg2-bin icoutils fonts-dejavu-core # the program icon from the SVG
  nsis zip
  wine wine64 xvfb xauth x11-utils
  xz-utils patch                  # the Qt archive; building Qt from source
)

KSV_QT_NAME=qt-6.4.2-mingw64-static
KSV_CACHE_DIR=${KSV_CACHE_DIR:-$HOME/.cache/ksv717n}

# A deb-src line for each Debian archive the machine uses, unless one is there.
ksv_enable_deb_src() {
  local lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  if grep -qsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' "${lists[@]}"; then
    return 0
  fi
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  local f stanzas lines
  # deb822 files: each Debian stanza again as deb-src; one-line files: each
  # Debian "deb" line again as "deb-src".
  stanzas=$(for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*deb/ && /(^|\n)URIs:[^\n]*debian/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
  done)
  lines=$(grep -hsE '^[[:space:]]*deb[[:space:]].*debian' /etc/apt/sources.list \
            /etc/apt/sources.list.d/*.list | sed -E 's/^[[:space:]]*deb[[:space:]]/deb-src /' || true)
  if [ -z "$stanzas$lines" ]; then
    echo "No Debian archive in the apt sources to take source packages from" >&2
    return 1
  fi
  if [ -n "$stanzas" ]; then
    echo "$stanzas" | $sudo tee /etc/apt/sources.list.d/ksv717n-deb-src.sources >/dev/null
  fi
  if [ -n "$lines" ]; then
    echo "$lines" | $sudo tee /etc/apt/sources.list.d/ksv717n-deb-src.list >/dev/null
  fi
  echo "Enabled Debian's source packages (/etc/apt/sources.list.d/ksv717n-deb-src.*)"
  $sudo apt-get update -qq
}

# Sets KSV_QT_DIR to the static Qt for Windows, ready in the cache folder:
# unpacked from the prebuilt archive ($KSV_QT_MINGW_ARCHIVE, by default the
# team's shared toolchains beside the tree) once its SHA-256 matches the one
# committed here, or else built from Debian's source (scripts/build-qt-mingw).
ksv_provide_qt() {
  local root here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  root="$(cd "$here/.." && pwd)"
  local expected
  expected=$(cut -d' ' -f1 "$root/cmake/toolchains/$KSV_QT_NAME.tar.xz.sha256")
  KSV_QT_DIR=$KSV_CACHE_DIR/$KSV_QT_NAME
  local marker=$KSV_QT_DIR/.ksv717n-ready
  local archive=${KSV_QT_MINGW_ARCHIVE:-$root/../shared/toolchains/$KSV_QT_NAME.tar.xz}

  if [ -f "$marker" ]; then
    # Unpacked from another archive than the one named now: unpack again.
    if ! [ -f "$archive" ] || grep -qx "archive $expected" "$marker" || grep -qx built "$marker"; then
      return 0
    fi
  fi
  mkdir -p "$KSV_CACHE_DIR"
  if [ -f "$archive" ]; then
    local actual
    actual=$(sha256sum "$archive" | cut -d' ' -f1)
    if [ "$actual" != "$expected" ]; then
      echo "$archive: SHA-256 $actual, expected $expected" \
           "(cmake/toolchains/$KSV_QT_NAME.tar.xz.sha256)" >&2
      return 1
    fi
    rm -rf "$KSV_QT_DIR"
    local unpack
    unpack=$(mktemp -d "$KSV_CACHE_DIR/unpack-XXXXXX")
    tar -xJf "$archive" -C "$unpack"
    mv "$unpack/$KSV_QT_NAME" "$KSV_QT_DIR"
    rmdir "$unpack"
    echo "archive $expected" >"$marker"
    echo "Qt for Windows unpacked into $KSV_QT_DIR"
  else
    echo "No $archive: building Qt for Windows from Debian's source (about an hour on two cores)"
    rm -rf "$KSV_QT_DIR"
    "$here/build-qt-mingw" "$KSV_QT_DIR"
    echo built >"$KSV_QT_DIR/.ksv717n-ready"
  fi
}

# Sourced by the build scripts: installs the Debian 12 packages the build and
# the tests need, but only those that are missing, so a second run is quick.
KSV_PACKAGES=(
  build-essential cmake
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-translations-l10n
  libgtest-dev libgmock-dev
  fonts-dejavu-core xvfb xauth
  libfreetype-dev xfonts-terminus
  scdoc bash-completion # the manual pages; the completion's test
)

ksv_install_deps() {
  local missing=()
  local p
  for p in "${KSV_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

ksv_build() {
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  cmake -S "$root" -B "$root/build" -DKSV_WERROR=$werror "$@"
  cmake --build "$root/build" -j"$(nproc)"
}

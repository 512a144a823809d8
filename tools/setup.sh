# Shared set-up of ./play and ./check: installs the Debian packages that are missing,
# then configures and builds the game, its content and its tests in build/.
# Sourced, not run: the caller has `set -euo pipefail` and is in the repository root.

VELMORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config git python3 ccache
  clang libclang-rt-14-dev
  libglfw3-dev libgl-dev libglu1-mesa-dev libjpeg-dev
  libsdl2-dev libsdl2-mixer-dev libasio-dev
  libcairo2-dev fonts-dejavu-core libmp3lame-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils
  xfonts-base  # the misc-fixed fonts: without them SDL shows no message box on a bare X server
)

velmora_missing_packages() {
  local missing=()
  for package in "${VELMORA_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  echo "${missing[@]:-}"
}

velmora_install_packages() {
  local missing
  missing=$(velmora_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing Debian packages: $missing"
  local sudo=""
  if [ "$(id -u)" != 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These packages are missing and neither root nor sudo is available: $missing" >&2
      return 1
    fi
    sudo="sudo"
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  # shellcheck disable=SC2086
  $sudo apt-get install -y -q --no-install-recommends $missing
}

velmora_build() {
  local jobs
  jobs=$(nproc 2>/dev/null || echo 2)
  # ccache keeps compiled objects between builds, also across clones of the repository:
  # paths are taken relative to the clone and the build folder is left out of the hash.
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=true
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
  cmake --build build --parallel "$jobs"
}

velmora_setup() {
  velmora_install_packages
  velmora_build
}

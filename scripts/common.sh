# Shared by ./run and ./test: install what is missing, then configure and build once.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libfontconfig-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox xdotool imagemagick x11-utils
  fonts-liberation2 fonts-dejavu-core
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$BUILD" --parallel "$(nproc)" -- --quiet
}

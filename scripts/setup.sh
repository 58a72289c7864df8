#!/bin/sh
# Installs the Debian packages the build needs, only those missing, and
# configures a build directory. Usage: scripts/setup.sh BUILD_DIR [--tests] [cmake options...]
set -eu

build_dir=$1
shift
with_tests=no
if [ "${1:-}" = "--tests" ]; then
  with_tests=yes
  shift
fi

packages="g++ cmake ninja-build pkg-config libsdl2-dev libjpeg-dev libpng-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-dejavu-core nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev"
if [ "$with_tests" = yes ]; then
  packages="$packages xvfb xauth xdotool x11-utils imagemagick clang libclang-rt-14-dev valgrind
    python3"
fi

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Some packages are missing; run this command as root (or with sudo)." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
fi

cd "$(dirname "$0")/.."
cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null

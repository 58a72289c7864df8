#!/bin/sh
# Installs the Debian packages the build needs, only those missing, and
# configures a build directory.
# Usage: scripts/setup.sh BUILD_DIR [--tests] [--hardened] [cmake options...]
#   --tests     also what the tests need (test_tools below)
#   --hardened  the release build's flags (scripts/buildflags.sh), set anew
#               on every run so an older build directory takes them too
#        scripts/setup.sh --test-tools
#               only what the tests add to the build's packages: ./test.sh
#               fetches them while the game compiles
set -eu
cd "$(dirname "$0")/.."

build_packages="g++ cmake ninja-build pkg-config libsdl2-dev libjpeg-dev libpng-dev
  libfreetype-dev libfontconfig-dev libwebp-dev libgif-dev zlib1g-dev fontconfig fonts-dejavu-core
  nlohmann-json3-dev nettle-dev dpkg-dev libgtest-dev libgmock-dev libbenchmark-dev cmark"
# Chromium and emscripten are most of the download, and their packages most of
# the time a fresh machine spends installing.
test_packages="xvfb xauth xdotool x11-utils xfonts-base imagemagick libx11-dev clang libclang-rt-14-dev valgrind
  python3 file time desktop-file-utils appstream lintian devscripts debhelper fakeroot zip
  emscripten chromium"
# Node.js and npm drive the browser test; any Node.js 18 or later will do, so
# Debian's are installed only where none is found.
command -v npm >/dev/null 2>&1 || test_packages="$test_packages nodejs npm"

# The browser test's driver and the page's audits, as package-lock.json pins
# them; they use Debian's Chromium and never download a browser of their own.
node_modules() {
  if [ ! -d node_modules/puppeteer-core ] || [ ! -d node_modules/@axe-core/puppeteer ]; then
    PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --ignore-scripts >/dev/null
  fi
}

if [ "${1:-}" = --test-tools ]; then
  # Where npm is there already, the node modules come in beside the packages.
  modules=""
  if command -v npm >/dev/null 2>&1; then
    node_modules &
    modules=$!
  fi
  # shellcheck disable=SC2086
  scripts/install-packages.sh $test_packages
  if [ -n "$modules" ]; then wait "$modules"; else node_modules; fi
  exit 0
fi

build_dir=$1
shift
with_tests=no
hardened=no
while [ $# -gt 0 ]; do
  case $1 in
    --tests) with_tests=yes ;;
    --hardened) hardened=yes ;;
    *) break ;;
  esac
  shift
done

packages=$build_packages
if [ "$with_tests" = yes ]; then packages="$packages $test_packages"; fi
# shellcheck disable=SC2086
scripts/install-packages.sh $packages
if [ "$with_tests" = yes ]; then node_modules; fi

if [ "$hardened" = yes ]; then
  . scripts/buildflags.sh
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_CXX_FLAGS="$CXXFLAGS" \
    -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_MODULE_LINKER_FLAGS="$LDFLAGS" \
    -DCMAKE_SHARED_LINKER_FLAGS="$LDFLAGS" "$@" >/dev/null
else
  cmake -S . -B "$build_dir" -G Ninja "$@" >/dev/null
fi

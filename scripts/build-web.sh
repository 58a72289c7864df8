#!/bin/sh
# Builds the game's web page into OUTDIR: index.html, velmora.js,
# velmora.wasm, the players' guide with its pictures, the licence and that of
# the fonts whose glyphs the page carries, for any static web server.
# Installs the Debian packages it needs when they are missing. A native build
# makes the baked fonts and pictures first: the one named by
# VELMORA_NATIVE_BUILD, or build-web-native/. The emscripten build lives in
# that native build's web-build/ folder.
# Usage: scripts/build-web.sh OUTDIR
set -eu
if [ $# -ne 1 ]; then
  echo "usage: scripts/build-web.sh OUTDIR" >&2
  exit 2
fi
out=$1
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/install-packages.sh" emscripten
if [ -n "${VELMORA_NATIVE_BUILD:-}" ]; then
  native=$VELMORA_NATIVE_BUILD
else
  native=$root/build-web-native
  "$root/scripts/setup.sh" "$native" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF \
    -DVELMORA_BENCH=OFF
fi
ninja -C "$native" web_assets >/dev/null
native=$(cd "$native" && pwd)

# Debian's emscripten finds its optimiser's parser (node-acorn) here.
export NODE_PATH=/usr/share/nodejs
web=$native/web-build
if [ ! -f "$web/build.ninja" ]; then
  emcmake cmake -S "$root" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_NATIVE_BUILD="$native" >/dev/null
fi
ninja -C "$web" velmora >/dev/null

mkdir -p "$out/images"
cp "$web/velmora.js" "$web/velmora.wasm" "$root/web/index.html" "$root/docs/players-guide.md" \
  "$root/docs/ReadMe_J.txt" "$root/LICENSE" "$root/packaging/FONTS-LICENSE.txt" "$out/"
cp "$root/docs/images/"*.png "$out/images/"

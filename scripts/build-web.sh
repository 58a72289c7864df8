#!/bin/sh
# Builds the game's web page into OUTDIR: index.html with its script, style,
# icons, manifest and service worker, velmora.js, velmora.wasm, the guides as
# HTML with their pictures, the licence and that of the fonts whose glyphs the
# page carries, for any static web server. Installs the Debian packages it
# needs when they are missing. A native build makes the baked fonts and
# pictures first: the one named by
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

"$root/scripts/install-packages.sh" emscripten cmark
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
# It runs on Debian's python3, which it depends on, whatever python3 comes
# first in PATH: a version manager's shim there costs half a second of
# processor a call, and the build makes some fifty.
if [ -x /usr/bin/python3 ]; then export EMSDK_PYTHON=/usr/bin/python3; fi
web=$native/web-build
if [ ! -f "$web/build.ninja" ]; then
  emcmake cmake -S "$root" -B "$web" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVELMORA_NATIVE_BUILD="$native" >/dev/null
fi
ninja -C "$web" velmora >/dev/null

mkdir -p "$out/images" "$out/icons"
cp "$web/velmora.js" "$web/velmora.wasm" "$root/docs/ReadMe_J.txt" "$root/LICENSE" \
  "$root/packaging/FONTS-LICENSE.txt" "$out/"
# The view's size comes from the one place the game defines it.
view() { sed -n "s/^constexpr int $1 = \([0-9]*\);.*/\1/p" "$root/ui/view_size.h"; }
width=$(($(view ViewCols) * $(view TileSide)))
height=$(($(view StripHeight) + $(view ViewRows) * $(view TileSide)))
# So do the codes of the touch keys: @KEY_ENTER@ is KeyEnter's.
keys=$(sed -n 's/^  Key\([A-Za-z0-9]*\) = \([0-9]*\),.*/\1 \2/p' "$root/platform/key_codes.h" |
  while read -r name code; do
    printf 's/@KEY_%s@/%s/g; ' "$(printf '%s' "$name" | tr '[:lower:]' '[:upper:]')" "$code"
  done)
# Letters are their capitals' codes (key_codes.h): @KEY_G@ is 'G'.
for letter in A B C D E F G H I J K L M N O P Q R S T U V W X Y Z; do
  keys="$keys s/@KEY_$letter@/$(printf '%d' "'$letter")/g;"
done
for file in index.html page.js panel.js editor_page.js replay_page.js page.css manifest.webmanifest; do
  sed "s/@VIEW_WIDTH@/$width/g; s/@VIEW_HEIGHT@/$height/g; $keys" "$root/web/$file" >"$out/$file"
  ! grep -q '@[A-Z_]*@' "$out/$file" || { echo "build-web.sh: $file: unfilled $(grep -o '@[A-Z_]*@' "$out/$file" | head -n 1)" >&2; exit 1; }
done
# The replay link's decoder and the world files' module, imported as they are.
cp "$root/web/replay_link.js" "$root/web/worlds_page.js" "$root/web/daily_page.js" "$out/"
# The world files of our own that the page offers (the built-in one is in the game).
mkdir -p "$out/worlds"
cp "$root/assets/worlds/first_steps.worlds" "$root/assets/worlds/long_way.worlds" "$out/worlds/"
cp "$root/docs/images/"*.png "$root/docs/images/"*.webp "$out/images/"
cp "$root/assets/icons/"*.png "$out/icons/"
"$root/scripts/make-guides.sh" "$out" "$root/docs/players-guide.md" "$root/docs/replays.md"

# The service worker keeps every file above under a cache named by their
# hash, so a page that changes replaces the copy a player keeps offline.
files=$(cd "$out" && find . -type f ! -name service-worker.js ! -name '.*' | sed 's|^\./||' |
        LC_ALL=C sort)
version=$(cd "$out" && printf '%s\n' "$files" | tr '\n' '\0' | xargs -0 sha256sum | sha256sum |
          cut -c1-16)
list=$(printf '%s\n' ./ "$files" | sed "s/.*/'&'/" | paste -sd, - | sed 's/,/, /g')
tmp=$(mktemp "$out/.service-worker.XXXXXX")
sed "s|@VERSION@|$version|; s|@FILES@|$list|" "$root/web/service-worker.js" > "$tmp"
# mktemp makes it private; the page is served to anyone.
chmod 644 "$tmp"
mv -f "$tmp" "$out/service-worker.js"

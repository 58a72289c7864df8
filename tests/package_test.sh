#!/bin/sh
# The Debian package as cpack makes it from the build directory: the files a
# player needs and no others, its library dependencies, the desktop entry and
# the AppStream metadata passing their validators, no lintian error, and the
# packaged program running and naming its guide where the package puts it.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -eu
build=$1 source=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [ "$prefix" != /usr ]; then
  echo "configured for $prefix; a Debian package installs under /usr: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$work/velmora_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb")"

# dpkg-shlibdeps has named the libraries the program links.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libsdl2 libpng16 libjpeg62-turbo libfreetype6 libfontconfig1 \
  libwebpmux3 libgif7 zlib1g; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

share=./usr/share
{
  echo ./usr/bin/velmora
  echo $share/applications/velmora.desktop
  for doc in ReadMe_J.txt changelog.gz copyright players-guide.md replays.md players-guide.html replays.html; do
    echo $share/doc/velmora/$doc
  done
  for image in "$source"/docs/images/*.png "$source"/docs/images/*.webp; do
    echo $share/doc/velmora/images/"$(basename "$image")"
  done
  for size in 16 32 48 64 128 256; do echo $share/icons/hicolor/${size}x$size/apps/velmora.png; done
  echo $share/man/man6/velmora.6.gz
  echo $share/metainfo/invalid.velmora.keep03.metainfo.xml
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
diff -u "$work/expected" "$work/files" || fail "file list"

root=$work/root
dpkg-deb -x "$deb" "$root"
for size in 16 32 48 64 128 256; do
  file -b "$root/usr/share/icons/hicolor/${size}x$size/apps/velmora.png" |
    grep -q "^PNG image data, $size x $size, 8-bit/color RGBA" || fail "icon $size"
done
desktop-file-validate "$root/usr/share/applications/velmora.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml || fail "AppStream metadata"
lintian --fail-on error "$deb" || fail "lintian"

program=$root/usr/bin/velmora
[ "$("$program" --version | head -n 1)" = "velmora (Velmora Keep 03) $version" ] || fail "--version"
grep -aq "file:///usr/share/doc/velmora/players-guide.md" "$program" || fail "help box's guide"
# Every option the program's help names heads a paragraph of the manual page
# and is in the README's table.
gzip -dc "$root/usr/share/man/man6/velmora.6.gz" | sed 's/\\-/-/g' |
  awk 'previous == ".TP" { print } { previous = $0 }' >"$work/headings"
for option in $("$program" --help | grep -o -- '--[a-z]*' | sort -u); do
  grep -q -- "$option\b" "$work/headings" || fail "manual page has no paragraph on $option"
  grep -q "^|.*\`$option[\` ]" "$source/README.md" || fail "README lacks $option"
done
echo "package: $(basename "$deb"), $(wc -l <"$work/files") files"

#!/bin/sh
# The Debian package, made cheaply from this build directory by debian/'s own
# rules (debhelper's install and binary steps, the build steps skipped): the
# files a player needs and no others, in /usr/games and /usr/share, computed
# library dependencies, the MIT licence in a machine-readable copyright file
# and in the metadata, the release notes from debian/changelog (whose version
# cmake/install.cmake holds to the build's), the desktop entry and AppStream
# metadata passing their validators, lintian --pedantic clean, hardening-check
# content, and the packaged program drawing and naming its guide where the
# package puts it. The full dpkg-buildpackage runs in
# scripts/check-reproducible.sh (./test.sh --deep).
# Usage: package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -eu
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
if [ "$prefix" != /usr ]; then
  echo "configured for $prefix; a Debian package installs under /usr: skipped"
  exit 77
fi
grep -q '^CMAKE_CXX_FLAGS:.*-fstack-protector-strong' "$build/CMakeCache.txt" ||
  fail "$build is not configured with the release flags (scripts/setup.sh --hardened)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# debian/ beside this build, already built: dh runs only the install and
# binary steps, and the package lands in $work.
mkdir "$work/src"
cp -R "$source/debian" "$work/src/debian"
echo velmora >"$work/src/debian/debhelper-build-stamp"
ln -s "$build" "$work/src/obj-$(dpkg-architecture -qDEB_HOST_GNU_TYPE)"
(cd "$work/src" && debian/rules binary >"$work/dh.log" 2>&1) || { cat "$work/dh.log"; fail "dh binary"; }
revision=$(cd "$work/src" && dpkg-parsechangelog -S Version)
deb=$work/velmora_${revision}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb")"
[ -f "$work/velmora-dbgsym_${revision}_$(dpkg --print-architecture).deb" ] || fail "no -dbgsym package"

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "Section: $(dpkg-deb -f "$deb" Section)"
# dpkg-shlibdeps has named the libraries the program and its native module link.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libsdl2 libpng16 libjpeg62-turbo libfreetype6 libfontconfig1 \
  libwebpmux3 libgif7 zlib1g; do
  echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done

share=./usr/share
native=./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/velmora/velmora-native.so
{
  echo ./usr/games/velmora
  echo "$native"
  echo $share/applications/velmora.desktop
  echo $share/doc-base/velmora.velmora-players-guide
  for doc in ReadMe_J.txt changelog.Debian.gz copyright players-guide.md replays.md players-guide.html replays.html; do
    echo $share/doc/velmora/$doc
  done
  for image in "$source"/docs/images/*.png "$source"/docs/images/*.webp; do
    echo $share/doc/velmora/images/"$(basename "$image")"
  done
  for size in 16 32 48 64 128 256; do echo $share/icons/hicolor/${size}x$size/apps/velmora.png; done
  echo $share/lintian/overrides/velmora
  echo $share/man/man6/velmora.6.gz
  echo $share/metainfo/invalid.velmora.keep03.metainfo.xml
  for worlds in first_steps long_way; do echo $share/velmora/worlds/$worlds.worlds; done
} | sort >"$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
diff -u "$work/expected" "$work/files" || fail "file list"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/velmora.desktop" || fail "desktop entry"
metainfo=$root/usr/share/metainfo/invalid.velmora.keep03.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "AppStream metadata"

# The licence: MIT for the game, in the metadata and the DEP-5 copyright file.
# (lintian checks the icons' sizes, the copyright file's format and that every
# licence named there has its text.)
grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "project_license"
grep -q "<metadata_license>CC0-1.0</metadata_license>" "$metainfo" || fail "metadata_license"
copyright=$root/usr/share/doc/velmora/copyright
awk '/^Files: \*$/ { f = 1; next } f && /^License:/ { print $2; exit }' "$copyright" |
  grep -qx Expat || fail "copyright: Files: * is not under the MIT (Expat) licence"

# The metadata's release notes are the changelog's newest entry.
gzip -dc "$root/usr/share/doc/velmora/changelog.Debian.gz" |
  awk 'NR > 1 && /^ -- / { exit } /^  \* / { print substr($0, 5) }' >"$work/items"
[ -s "$work/items" ] || fail "no items in the changelog's newest entry"
while read -r item; do
  grep -qF "<li>$item" "$metainfo" || fail "the metadata's release notes lack: $item"
done <"$work/items"
grep -q "<release version=\"$version\" date=\"[0-9-]*\">" "$metainfo" || fail "release entry"

lintian --pedantic -I --fail-on error,warning,info,pedantic "$deb" >"$work/lintian" 2>&1 ||
  { cat "$work/lintian"; fail "lintian"; }

program=$root/usr/games/velmora
# Debian 12's C start files carry no CET note, so the linker leaves the
# program without one whatever the flags: control-flow protection is checked
# in the code itself, by its endbr64 landing pads, below.
hardening-check --nocfprotection "$program" >"$work/hardening" || { cat "$work/hardening"; fail "hardening-check"; }
if [ "$(dpkg --print-architecture)" = amd64 ]; then
  objdump -d --no-show-raw-insn "$program" >"$work/code"
  [ "$(grep -c 'endbr64' "$work/code")" -gt 100 ] || fail "no -fcf-protection landing pads"
  grep -q 'orq *\$0x0,(%rsp)' "$work/code" || fail "no -fstack-clash-protection probes"
fi

# The packaged program finds its native module where the package puts it.
printf 'key Space\nscreenshot %s\n' "$work/shot.png" >"$work/shot.txt"
"$program" --headless "$work/shot.txt" || fail "the packaged program cannot draw"
file -b "$work/shot.png" | grep -q '^PNG image data' || fail "the packaged program's screenshot"
grep -aq "file:///usr/share/doc/velmora/players-guide.md" "$program" || fail "help box's guide"
# Every option the program's help names heads a paragraph of the manual page
# and is in the README's table.
gzip -dc "$root/usr/share/man/man6/velmora.6.gz" | sed 's/\\-/-/g' |
  awk 'previous == ".TP" { print } { previous = $0 }' >"$work/headings"
for option in $("$program" --help | grep -o -- '--[a-z][a-z-]*[a-z]' | sort -u); do
  grep -q -- "$option\b" "$work/headings" || fail "manual page has no paragraph on $option"
  grep -q "^|.*\`${option}[\` ]" "$source/README.md" || fail "README lacks $option"
done
echo "package: $(basename "$deb"), $(wc -l <"$work/files") files"

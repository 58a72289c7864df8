#!/bin/sh
# Makes everything a release needs in OUTDIR, from the commit checked out
# (HEAD; changes not committed are not in it):
#   velmora-VERSION.tar.gz        the source, as git tracks it (git archive)
#   velmora_VERSION-REV_ARCH.deb  and its -dbgsym package, built by
#                                 dpkg-buildpackage from that tarball alone
#   velmora-web-VERSION.zip       the web page for any static host, built from
#                                 the same tarball
#   SHA256SUMS
# Every file is the same from one run to the next: the time stamps are the
# commit's (SOURCE_DATE_EPOCH), the archives sorted and without owners.
# Usage: scripts/release.sh OUTDIR
set -eu
if [ $# -ne 1 ]; then
  echo "usage: scripts/release.sh OUTDIR" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
"$root/scripts/install-packages.sh" git dpkg-dev debhelper fakeroot zip

cd "$root"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release.sh: changes not committed are left out; the release is HEAD" >&2
fi
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
version=$(sed -n 's/^project(velmora VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release.sh: no version in CMakeLists.txt" >&2; exit 1; }
name=velmora-$version

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$work/$name.tar.gz"

# The package and the page are built from the tarball, so it is proven to
# hold everything the build needs.
mkdir "$work/build"
tar -C "$work/build" -xzf "$work/$name.tar.gz"
src=$work/build/$name
(cd "$src" && dpkg-buildpackage -us -uc -b >"$work/deb.log" 2>&1) ||
  { tail -n 40 "$work/deb.log" >&2; echo "release.sh: dpkg-buildpackage failed" >&2; exit 1; }
(cd "$src" && VELMORA_NATIVE_BUILD='' scripts/build-web.sh "$work/web/$name" >"$work/web.log" 2>&1) ||
  { tail -n 40 "$work/web.log" >&2; echo "release.sh: the web page's build failed" >&2; exit 1; }

# zip stores local times and the files' modes: both are fixed here.
find "$work/web" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$work/web" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$work/web" && find "$name" -type f | LC_ALL=C sort |
  TZ=UTC zip -X -D -9 -q "$work/$name-web.zip" -@)

# Written beside the outputs' final names, then renamed into place.
for f in "$work/$name.tar.gz" "$work/$name-web.zip" "$work/build"/velmora_*.deb \
  "$work/build"/velmora-dbgsym_*.deb; do
  cp "$f" "$out/.$(basename "$f").tmp"
  mv "$out/.$(basename "$f").tmp" "$out/$(basename "$f")"
done
(cd "$out" && sha256sum "$name.tar.gz" "$name-web.zip" velmora_*.deb velmora-dbgsym_*.deb \
  >.SHA256SUMS.tmp && mv .SHA256SUMS.tmp SHA256SUMS)
echo "release $version in $out:"
cat "$out/SHA256SUMS"

#!/bin/sh
# Proves the release reproducible: two clean clones of one commit (HEAD
# unless named), in folders of different names and depths, each run
# scripts/release.sh one after the other, with a different umask, time zone
# and locale. Every output must be byte for byte the same, the web page's
# files one by one too. When one differs it names it (and, for the
# packages, the file inside that differs) and ends with status 1.
# Usage: scripts/check-reproducible.sh [COMMIT]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$root" rev-parse "${1:-HEAD}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build() {  # build FOLDER: clone the commit there and release into FOLDER/out
  git clone -q --no-local "$root" "$1/velmora"
  git -C "$1/velmora" checkout -q --detach "$commit"
  "$1/velmora/scripts/release.sh" "$1/out" >"$1/release.log" 2>&1 ||
    { cat "$1/release.log" >&2; echo "check-reproducible: the release in $1 failed" >&2; exit 1; }
}
mkdir -p "$work/a" "$work/second/b"
(umask 022 && TZ=UTC LC_ALL=C build "$work/a")
(umask 002 && TZ=Asia/Tokyo LC_ALL=C.UTF-8 build "$work/second/b")

# names the members of two archives unpacked to A and B that differ
unpacked_differences() {
  (cd "$1" && find . -type f | LC_ALL=C sort) >"$work/list.a"
  (cd "$2" && find . -type f | LC_ALL=C sort) >"$work/list.b"
  diff "$work/list.a" "$work/list.b" | sed -n 's/^[<>] /  only in one: /p'
  while read -r f; do
    [ -f "$2/$f" ] && ! cmp -s "$1/$f" "$2/$f" && echo "  differs: $f"
  done <"$work/list.a"
  return 0
}

status=0
cd "$work/a/out"
for f in *; do
  if cmp -s "$f" "$work/second/b/out/$f"; then
    echo "same: $f $(sha256sum "$f" | cut -c1-16)"
    continue
  fi
  status=1
  echo "DIFFERS: $f"
  mkdir -p "$work/x/a" "$work/x/b"
  case $f in
    *.deb)
      for side in a b; do
        [ $side = a ] && deb=$work/a/out/$f || deb=$work/second/b/out/$f
        rm -rf "${work:?}/x/$side" && mkdir -p "$work/x/$side/control"
        dpkg-deb -x "$deb" "$work/x/$side/data"
        dpkg-deb -e "$deb" "$work/x/$side/control"
        dpkg-deb -c "$deb" >"$work/x/$side.list"
      done
      diff "$work/x/a.list" "$work/x/b.list" | sed -n 's/^[<>]/  listing:/p' | head -n 20
      unpacked_differences "$work/x/a" "$work/x/b" ;;
    *.zip)
      rm -rf "${work:?}/x/a" "${work:?}/x/b"
      unzip -q "$work/a/out/$f" -d "$work/x/a"
      unzip -q "$work/second/b/out/$f" -d "$work/x/b"
      unpacked_differences "$work/x/a" "$work/x/b" ;;
    *.tar.gz)
      rm -rf "${work:?}/x/a" "${work:?}/x/b" && mkdir -p "$work/x/a" "$work/x/b"
      tar -C "$work/x/a" -xzf "$work/a/out/$f"
      tar -C "$work/x/b" -xzf "$work/second/b/out/$f"
      unpacked_differences "$work/x/a" "$work/x/b" ;;
  esac
done
for f in "$work/second/b/out"/*; do
  [ -e "$(basename "$f")" ] || { echo "DIFFERS: only the second build made $(basename "$f")"; status=1; }
done
if [ $status -eq 0 ]; then
  echo "Reproducible: both builds of $commit made the same files."
else
  echo "Not reproducible: see the files named above." >&2
fi
exit $status

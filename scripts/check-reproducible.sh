#!/bin/sh
# Proves the release reproducible: two clean clones of one commit (HEAD
# unless named), in folders of different names and depths, each run
# scripts/release.sh one after the other, with a different umask, time zone
# and locale. Every output must be byte for byte the same, the web page's
# files one by one too (scripts/compare-releases.sh). When one differs it
# names it and the files inside it that differ, and ends with status 1.
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

status=0
"$root/scripts/compare-releases.sh" "$work/a/out" "$work/second/b/out" || status=1
if [ $status -eq 0 ]; then
  echo "Reproducible: both builds of $commit made the same files."
else
  echo "Not reproducible: see the files named above." >&2
fi
exit $status

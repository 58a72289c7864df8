#!/bin/sh
# Compares two folders made by scripts/release.sh byte for byte. Prints
# every output and each file of the web page with its checksum; for an output
# that differs, names it and the files inside it (package members, page
# files, source files) that differ. Status 1 when anything differs.
# Usage: scripts/compare-releases.sh DIR_A DIR_B
set -eu
if [ $# -ne 2 ]; then
  echo "usage: scripts/compare-releases.sh DIR_A DIR_B" >&2
  exit 2
fi
a=$(cd "$1" && pwd) b=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# unpack SIDE ARCHIVE: the archive's files under $work/SIDE
unpack() {
  rm -rf "${work:?}/$1" "$work/$1.listing" && mkdir -p "$work/$1"
  case $2 in
    *.deb)
      dpkg-deb -x "$2" "$work/$1/data"
      dpkg-deb -e "$2" "$work/$1/control"
      # owners, modes and times of the members, which unpacking loses
      dpkg-deb -c "$2" >"$work/$1.listing" ;;
    *.zip)
      unzip -q "$2" -d "$work/$1"
      unzip -Z -l "$2" | sed '$d' >"$work/$1.listing" ;;
    *.tar.gz)
      tar -C "$work/$1" -xzf "$2"
      tar -tvzf "$2" >"$work/$1.listing" ;;
    *)
      cp "$2" "$work/$1/"
      : >"$work/$1.listing" ;;
  esac
}

# names the files that differ between $work/a and $work/b
inner_differences() {
  cmp -s "$work/a.listing" "$work/b.listing" ||
    echo "  differs: the list of members (names, owners, modes or times)"
  (cd "$work/a" && find . -type f | LC_ALL=C sort) >"$work/list.a"
  (cd "$work/b" && find . -type f | LC_ALL=C sort) >"$work/list.b"
  diff "$work/list.a" "$work/list.b" | sed -n 's/^[<>] /  only in one: /p'
  while read -r f; do
    if [ -f "$work/b/$f" ] && ! cmp -s "$work/a/$f" "$work/b/$f"; then
      echo "  differs: $f"
    fi
  done <"$work/list.a"
}

status=0
for f in $( (cd "$a" && ls; cd "$b" && ls) | LC_ALL=C sort -u); do
  if [ ! -f "$a/$f" ] || [ ! -f "$b/$f" ]; then
    echo "DIFFERS: $f is made by one build only"
    status=1
  elif cmp -s "$a/$f" "$b/$f"; then
    echo "same: $(cd "$a" && sha256sum "$f")"
  else
    echo "DIFFERS: $f"
    status=1
    unpack a "$a/$f"
    unpack b "$b/$f"
    inner_differences
  fi
done
# The web page's files one by one (the zip holds each once).
for zip in "$a"/*-web.zip; do
  [ -f "$zip" ] || continue
  unpack page "$zip"
  (cd "$work/page" && find . -type f | LC_ALL=C sort | xargs sha256sum |
    sed 's/^/  page file: /')
done
exit $status

#!/bin/sh
# Installs those of the named Debian packages that are missing (as root).
# Usage: scripts/install-packages.sh PACKAGE...
#   VELMORA_APT_UPDATED=FILE  skip apt-get update when FILE exists; made after one
set -eu
missing=""
for p in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
  echo "Some packages are missing; run this command as root (or with sudo)." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# A caller that installs in two steps names a file in VELMORA_APT_UPDATED:
# the lists are refreshed once, by the first step that needs them.
if [ -z "${VELMORA_APT_UPDATED:-}" ] || [ ! -e "$VELMORA_APT_UPDATED" ]; then
  apt-get update -q
  if [ -n "${VELMORA_APT_UPDATED:-}" ]; then : >"$VELMORA_APT_UPDATED"; fi
fi
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing

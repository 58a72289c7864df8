#!/bin/sh
# Builds Velmora Keep 03 and plays it. Extra arguments go to the game
# (for example --scale 2). With --web [--port N] it builds the web page
# instead and serves it on http://127.0.0.1:N/ (8000 unless given).
set -eu
cd "$(dirname "$0")"
if [ "${1:-}" = "--web" ]; then
  shift
  port=8000
  if [ "${1:-}" = "--port" ] && [ -n "${2:-}" ]; then
    port=$2
  elif [ $# -gt 0 ]; then
    echo "usage: ./play.sh --web [--port N]" >&2
    exit 2
  fi
  scripts/build-web.sh build-web-native/page
  echo "Velmora Keep 03 is served on http://127.0.0.1:$port/ (Ctrl+C stops it)"
  exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web-native/page
fi
scripts/setup.sh build --hardened -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
ninja -C build velmora
exec build/velmora "$@"

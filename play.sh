#!/bin/sh
# Builds Velmora Keep 03 and plays it. Extra arguments go to the game
# (for example --scale 2).
set -eu
cd "$(dirname "$0")"
scripts/setup.sh build -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
ninja -C build velmora
exec build/velmora "$@"

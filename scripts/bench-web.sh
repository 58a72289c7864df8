#!/bin/sh
# Builds the web page (scripts/build-web.sh) and measures it in headless
# Chromium: the web figures of docs/performance.md.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh build-web-native --tests -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF \
  -DVELMORA_BENCH=OFF
VELMORA_NATIVE_BUILD=build-web-native scripts/build-web.sh build-web-native/page
exec node bench/web/measure_page.mjs build-web-native/page

#!/bin/sh
# The browser test: builds the web page with this native build's baked
# fonts and pictures, then plays the recorded scripts in headless Chromium
# and checks records and frames against this build's headless game, then the
# page round the game (phone, words panel, offline, focus, guides, axe-core).
# Needs node_modules as scripts/setup.sh BUILD --tests installs it.
# Usage: tests/web/run.sh NATIVE_BUILD_DIR VELMORA_EXECUTABLE
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
VELMORA_NATIVE_BUILD=$build "$here/../../scripts/build-web.sh" "$build/web-page"
exec node "$here/play_in_browser.mjs" "$build/web-page" "$2" "$build/web-test" \
  "$here/../scripts/winning_game.txt" "$here/../scripts/every_mode.txt"

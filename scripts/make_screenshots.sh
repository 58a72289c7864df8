#!/bin/sh
# Regenerates the players' guide pictures: builds the game if needed and runs
# every script of docs/screenshots headlessly from the repository root, where
# each writes its docs/images/NAME.png; each NAME.movie there is filmed into
# docs/images/NAME.webp, each NAME.edit drives the world editor on a copy
# of the built-in worlds, and each NAME.daily plays on the day that ends
# its name (YYYY-MM-DD). Usage: scripts/make_screenshots.sh [BUILD_DIR]
set -eu
cd "$(dirname "$0")/.."

build_dir=${1:-build}
if [ ! -f "$build_dir/build.ninja" ]; then
  scripts/setup.sh "$build_dir" -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
fi
ninja -C "$build_dir" velmora >/dev/null

mkdir -p docs/images
for script in docs/screenshots/*.txt; do
  echo "$script"
  "$build_dir/velmora" --headless "$script" >/dev/null
done
for script in docs/screenshots/*.movie; do
  echo "$script"
  "$build_dir/velmora" --headless "$script" --movie "docs/images/$(basename "$script" .movie).webp"
done
for script in docs/screenshots/*.daily; do
  echo "$script"
  name=$(basename "$script" .daily)
  "$build_dir/velmora" --headless --daily "${name#"${name%??????????}"}" "$script" >/dev/null
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for script in docs/screenshots/*.edit; do
  echo "$script"
  cp assets/worlds/velmora.worlds "$scratch/velmora.worlds"
  XDG_STATE_HOME="$scratch/state" "$build_dir/velmora" --headless --edit "$scratch/velmora.worlds" "$script"
done

#!/bin/sh
# The native module (velmora-native.so) is loaded only when the game draws,
# and only from the program's own places: a copy of the program with no
# module beside it plays, sums up and links a headless game, and fails with
# a clear message and status 1 the moment a screenshot, a movie or a window
# needs the module; a module that cannot be loaded, or that others may
# change, is refused the same way; the module in its installed folder
# relative to the program draws the same picture as the one beside the
# program in the build tree; and a module in the current directory is
# never looked at.
#   native_module_test.sh VELMORA SOURCE_DIR INSTALLED_FOLDER
set -eu
velmora=$1 source=$2 installed=$3
module=$(dirname "$velmora")/velmora-native.so
dir=$(mktemp -d)
trap 'chmod -R u+w "$dir"; rm -rf "$dir"' EXIT
fail() { echo "native_module_test: $*" >&2; cat "$dir/err" >&2 2>/dev/null; exit 1; }
mkdir "$dir/alone"
cp "$velmora" "$dir/alone/velmora"
alone=$dir/alone/velmora
printf 'key Space\nkey Up\nstate\n' >"$dir/keys.txt"
printf 'key Space\nkey Up\nscreenshot %s/shot.png\n' "$dir" >"$dir/shot.txt"
unset DISPLAY WAYLAND_DISPLAY

# run STATUS ERR-PART ARGS...: the copy, run from a folder that holds a good
# module, ends with STATUS and says ERR-PART ("" when it must say nothing).
run() {
  want=$1 part=$2
  shift 2
  status=0
  (cd "$(dirname "$module")" && exec "$alone" "$@") >"$dir/out" 2>"$dir/err" || status=$?
  [ "$status" = "$want" ] || fail "$* ended with $status, not $want"
  if [ -z "$part" ]; then
    [ ! -s "$dir/err" ] || fail "$* said something"
  else
    grep -qF -- "$part" "$dir/err" || fail "$* did not say: $part"
  fi
}

missing="cannot find velmora-native.so, which draws the window, fonts and pictures"
run 0 "" --headless "$source/tests/scripts/winning_game.txt" --summary
grep -q '^won score=' "$dir/out" || fail "no summary"
run 0 "" --link "$dir/keys.txt"
run 0 "" --help
run 0 "" --version
run 1 "$missing" --headless "$dir/shot.txt"
run 1 "$missing" --headless "$dir/keys.txt" --movie "$dir/game.webp"
[ ! -e "$dir/game.webp" ] || fail "a movie was written without the module"
export DISPLAY=:99
run 1 "$missing"
unset DISPLAY
[ ! -e "$dir/shot.png" ] || fail "a screenshot was written without the module"

# Modules that are there but not to be run.
: >"$dir/alone/velmora-native.so"
run 1 "cannot load $dir/alone/velmora-native.so: " --headless "$dir/shot.txt"
cp "$module" "$dir/alone/velmora-native.so"
chmod o+w "$dir/alone/velmora-native.so"
run 1 "cannot load $dir/alone/velmora-native.so: others than its owner may change it" \
  --headless "$dir/shot.txt"
chmod o-w "$dir/alone/velmora-native.so"
run 0 "" --headless "$dir/shot.txt"
cp "$dir/shot.png" "$dir/beside.png"

# The installed layout: the program in games/, the module in its own folder.
rm "$dir/alone/velmora-native.so" "$dir/shot.png"
mkdir -p "$dir/prefix/games" "$dir/prefix/games/$installed"
mv "$alone" "$dir/prefix/games/velmora"
cp "$module" "$dir/prefix/games/$installed/velmora-native.so"
alone=$dir/prefix/games/velmora
run 0 "" --headless "$dir/shot.txt"
cmp -s "$dir/shot.png" "$dir/beside.png" || fail "the installed module drew another picture"
echo "native module: loaded only to draw, only from the program's places"

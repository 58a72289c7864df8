#!/bin/sh
# The game in a real window on a private X server: it shows exactly the frames
# the headless game draws, enlarged by whole pixels and centred on black in
# fullscreen, answers keys pressed through the X server, records them as a
# script that replays to the same game, plays a watched game and hands it
# over, carries its icon, ends with status 0 when closed as a window manager
# closes it, and with 1 when it cannot start or could not keep its game.
#   window_test.sh VELMORA SOURCE_DIR     (status 77: skipped, tools missing)
set -eu
for tool in xvfb-run xdotool import compare xprop python3; do
  command -v $tool >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
done
# Our own server, whatever DISPLAY says: fullscreen needs a known screen size.
[ -n "${VELMORA_OWN_X:-}" ] ||
  VELMORA_OWN_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$@"
velmora=$1
source=$2
dir=$(mktemp -d)
# A game left running by a failed check is killed outright: SDL turns SIGTERM
# into a quit event, which a hung game never reads.
trap 'kill -9 "${pid:-}" 2>/dev/null || true; rm -rf "$dir"' EXIT
# The games the window keeps on its own go to a folder of the test's.
export XDG_STATE_HOME="$dir/state"
export ASAN_OPTIONS=detect_leaks=0  # the window system's libraries keep caches
fail() { echo "window_test: $*" >&2; cat "$dir/err" >&2 2>/dev/null; exit 1; }
# Every wait has an end: a tool left waiting (import -window "") outlives CTest.
bounded() { timeout -k 2 20 "$@"; }

# The headless frame after the script lines $1, enlarged $2 % with a black border $3.
want() {
  printf '%sscreenshot %s\n' "$1" "$dir/frame.png" >"$dir/frame.txt"
  bounded "$velmora" --headless "$dir/frame.txt" >/dev/null
  convert "$dir/frame.png" -alpha off -scale "$2%" -bordercolor black -border "$3" "$dir/want.png"
}
# Starts the game with the arguments, under the file size limit $limit if set.
open_game() {
  sh -c 'ulimit -f "$0" && exec "$@"' "${limit:-unlimited}" "$velmora" "$@" 2>"$dir/err" &
  pid=$!
  wid=$(bounded xdotool search --sync --onlyvisible --name '^Lantern Cadence -Velmora Keep- 03$' |
    head -n 1)
  [ -n "$wid" ] || fail "no window for $*"
}
# Waits up to five seconds for the window to show want.png exactly.
shows() {
  for _ in $(seq 100); do
    bounded import -window "$wid" "$dir/got.png" 2>/dev/null &&
      [ "$(compare -metric AE "$dir/got.png" "$dir/want.png" null: 2>&1)" = 0 ] && return 0
    sleep 0.05
  done
  fail "$1: the window does not show the headless frame"
}
# Sends WM_DELETE_WINDOW to window $1 as a window manager's close button does.
send_close() {
  bounded python3 - "$1" <<'EOF'
import ctypes, sys
x, P = ctypes.CDLL("libX11.so.6"), ctypes.c_void_p
x.XOpenDisplay.restype = x.XInternAtom.restype = P
x.XInternAtom.argtypes, x.XCloseDisplay.argtypes = [P, ctypes.c_char_p, ctypes.c_int], [P]
x.XSendEvent.argtypes = [P, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, P]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("atom", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]
d = x.XOpenDisplay(None)
event = ClientMessage(type=33, window=int(sys.argv[1]), format=32,
                      atom=x.XInternAtom(d, b"WM_PROTOCOLS", 0))
event.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(d, event.window, 0, 0, ctypes.byref(event))
x.XCloseDisplay(d)
EOF
}
# Waits up to 15 seconds for a message box named $1; its id goes to $box.
# Found by the tree's names: xdotool's search misses a box once X's core
# fonts are installed, though the box carries its name all the same.
find_box() {
  box=""
  for _ in $(seq 150); do
    box=$(bounded xwininfo -root -tree |
      awk -v name="$1" '$0 ~ "^ *0x[0-9a-f]+ \"" name "\":" { print $1; exit }')
    [ -z "$box" ] || { box=$(printf '%d' "$box"); return 0; }
    sleep 0.1
  done
  return 1
}
# Waits for the game to end on its own after $1; it must end with status 0.
close_ended() {
  timeout 20 sh -c "while kill -0 $pid 2>/dev/null; do sleep 0.1; done" || kill -9 "$pid"
  wait "$pid" || fail "$1 ended with status $?"
}
# Closes the game's window; the game must end with status $1 (default 0).
close_game() {
  send_close "$wid"
  bounded sh -c "while kill -0 $pid 2>/dev/null; do sleep 0.1; done" || kill -9 "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" = "${1:-0}" ] || fail "closing ended with status $status"
}
# Presses the xdotool keys $1, then waits until the recording $2 holds $3 keys.
press() {
  # shellcheck disable=SC2086
  bounded xdotool windowfocus --sync "$wid" key --delay 30 $1
  for _ in $(seq 100); do
    [ $(($(wc -l <"$2") - 1)) -ge "$3" ] && return 0
    sleep 0.05
  done
  fail "the recording holds fewer than $3 keys"
}

# Leaves the title, walks, opens command entry, picks S, completes it to
# SELECT, walks the cursor round the edges to the submit cell, submits, and
# takes one more step; each key as xdotool names it and as a script does.
# Played in three sittings: the first killed outright just after a write was
# cut short, the next two resuming the same recording.
first="a Down Right Down Return Right Right"
second="Right Right Right Down space Tab Left Left"
third="Left Left Left Left Up Up space Up"
# shellcheck disable=SC2086
script=$(printf 'key %s\n' $first $second $third | sed 's/ a$/ 65/; s/Return/Enter/; s/space/Space/')
open_game --record "$dir/session.keys"
want "" 100 0 && shows "the title"
press "$first" "$dir/session.keys" 7
kill -9 "$pid"
wait "$pid" 2>/dev/null || true
printf 'key 1' >>"$dir/session.keys"
open_game --resume "$dir/session.keys"
press "$second" "$dir/session.keys" 15
close_game
open_game --resume "$dir/session.keys"
press "$third" "$dir/session.keys" 23
want "$script
" 100 0 && shows "after three sittings"
close_game
printf '%s\nstate\n' "$script" >"$dir/written.txt"
printf 'state\n' >>"$dir/session.keys"
written=$(bounded "$velmora" --headless "$dir/written.txt")
[ "$(bounded "$velmora" --headless "$dir/session.keys")" = "$written" ] || fail "the recording replays apart"
case "$written" in *'"score":4995,'*'"last":"SELECT ",'*) ;; *) fail "not the game: $written" ;; esac

# Typed on the keyboard, a statement walks the grid: the game kept in the
# state folder holds only the grid's keys and replays as the headless `type`
# and `submit`; --continue goes on with it in a second sitting.
open_game
bounded xdotool windowfocus --sync "$wid" key --delay 50 a Return
sleep 0.3
bounded xdotool windowfocus --sync "$wid" type --delay 200 'SELECT * FROM party'
bounded xdotool windowfocus --sync "$wid" key Return
sleep 1
close_game
saved=$(ls "$XDG_STATE_HOME"/velmora/game-*.keys) || fail "no game in the state folder"
[ "$(printf '%s\n' "$saved" | wc -l)" = 1 ] || fail "more than one game kept: $saved"
typed=$(printf 'key 65 Enter\ntype SELECT * FROM party\nsubmit\nstate\n' | bounded "$velmora" --headless -)
[ "$( (cat "$saved"; echo state) | bounded "$velmora" --headless -)" = "$typed" ] ||
  fail "the typed game is not the game of type and submit"
! grep -vqE '^(#|key (32|37|38|39|40|65|13)$)' "$saved" || fail "keys past the grid's recorded"
open_game --continue
press "Down" "$saved" "$(($(wc -l <"$saved")))"
close_game
# A game to continue that cannot be kept is played all the same, and its
# end says so with status 1.
XDG_STATE_HOME=/dev/null/x
open_game --continue
XDG_STATE_HOME="$dir/state"
close_game 1
grep -qF "the game is not recorded" "$dir/err" || fail "no word of the unkept game"

# Whole-pixel enlargement: --scale, the 1280 x 1024 screen in fullscreen, and
# --scale capping the factor there; then the window's icon, the built-in one.
# A --scale 3 window would not fit the 1024 rows: it is made at 2, and said so.
for c in "200 0 --scale 2" "200 64x48 --fullscreen" "100 352x280 --scale 1 --fullscreen" \
  "200 0 --scale 3"; do
  set -- $c
  want "" "$1" "$2"
  shift 2
  open_game "$@" && shows "$*" && close_game
done
grep -qF "velmora: --scale 3 does not fit the desktop's 1280x1024 usable area; using --scale 2" \
  "$dir/err" || fail "no word of the lowered scale"
open_game
icon=$(convert "$source/assets/icon.png" -depth 8 rgba:- | od -An -v -tu1 |
  awk 'BEGIN { printf "_NET_WM_ICON = 64, 64" } { for (i = 1; i <= NF; i++) b[n++] = $i }
       END { for (i = 0; i < n; i += 4)
               printf ", %.0f", ((b[i+3] * 256 + b[i]) * 256 + b[i+1]) * 256 + b[i+2] }')
[ "$(bounded xprop -id "$wid" -notype 32c _NET_WM_ICON | tr -d '\n\t')" = "$icon" ] ||
  fail "the window's icon is not the built-in one"
close_game
# A recording that cannot be written (past a file size limit of 512 bytes: the
# header and 64 keys) is told once; the game goes on and ends with status 1,
# saying how many keys were kept. (A recording goes only to a plain file:
# /dev/full is refused.)
limit=1
open_game --record "$dir/limited.keys"
limit=
bounded xdotool windowfocus --sync "$wid" key --delay 5 a $(seq 70 | sed "s/.*/Down/")
if find_box "Recording stopped"; then send_close "$box"; fi
close_game 1
grep -qF "velmora: $dir/limited.keys holds 64 key presses of this game; the rest were not recorded: File too large" "$dir/err" ||
  fail "no word of the failed recording"
[ "$(grep -c "Cannot write the recording" "$dir/err")" -le 1 ] || fail "told more than once"
# Watching: a short game plays on its own at its pace, the title and the
# window as the game's own; the winning game, sent to its end with End, is
# taken over with Enter and played on, and --record holds both parts.
printf 'key Space\nkey Right Down\n' >"$dir/short.txt"
open_game --watch "$dir/short.txt"
want "$(cat "$dir/short.txt")
" 100 0 && shows "the watched game's end"
grep -qF "Space pauses and resumes" "$dir/err" || fail "no word of the watch keys"
close_game
# (The title is held only a second: End goes at once, whatever was shown.)
open_game --watch "$source/tests/scripts/winning_game.txt" --record "$dir/watched.keys"
bounded xdotool windowfocus --sync "$wid" key End
want "$(cat "$source/tests/scripts/winning_game.txt")
" 100 0 && shows "the end of the watched game"
watched=$(($(wc -l <"$dir/watched.keys") - 1))
press "Return Left" "$dir/watched.keys" $((watched + 1))
close_game
printf 'state\n' >>"$dir/watched.keys"
printf 'key Left\nstate\n' | cat "$source/tests/scripts/winning_game.txt" - >"$dir/branch.txt"
[ "$(bounded "$velmora" --headless "$dir/watched.keys")" = "$(bounded "$velmora" --headless "$dir/branch.txt")" ] ||
  fail "the watched and taken-over game replays apart"
# The world editor draws what the headless editor draws. Closing it with
# changes not saved asks first: in the message box (X's core fonts are
# among the test's packages), where Escape cancels, the editor staying and
# nothing written, and Enter saves; where no box can be shown, on the
# editor's own screen, where a second close leaves the changes in the
# session for the next --edit.
open_game --edit "$dir/made.worlds"
xdotool windowfocus --sync "$wid" key --delay 30 space Right g
printf 'key Space Right 71\nscreenshot %s\n' "$dir/frame.png" |
  "$velmora" --headless --edit "$dir/other.worlds" >/dev/null 2>&1 || true
convert "$dir/frame.png" -alpha off "$dir/want.png"
shows "the editor's frame"
send_close "$wid"
if find_box "Velmora Keep 03"; then
  bounded xdotool windowfocus --sync "$box" key Escape
  sleep 0.5
  kill -0 "$pid" || fail "the editor closed though the box was cancelled"
  [ ! -e "$dir/made.worlds" ] || fail "a cancelled close wrote the world"
  # Discard, the middle of three buttons of one width, takes the mouse.
  send_close "$wid"
  find_box "Velmora Keep 03" || fail "no box asked the second time"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  bounded xdotool mousemove --window "$box" $((WIDTH / 2)) $((HEIGHT * 3 / 4)) click 1
  close_ended "Discard in the box"
  [ ! -e "$dir/made.worlds" ] || fail "Discard wrote the world"
  open_game --edit "$dir/made.worlds"
  xdotool windowfocus --sync "$wid" key --delay 30 space Right g
  send_close "$wid"
  find_box "Velmora Keep 03" || fail "no box asked after the world was drawn again"
  bounded xdotool windowfocus --sync "$box" key Return
  close_ended "Save in the box"
else
  kill -0 "$pid" || fail "the editor closed on unsaved changes without asking"
  close_game 1
  grep -qF "the changes to $dir/made.worlds are not saved" "$dir/err" || fail "no word of the unsaved changes"
  open_game --edit "$dir/made.worlds"
  xdotool windowfocus --sync "$wid" key F2
  close_game
fi
grep -q '^6AB4' "$dir/made.worlds" || fail "the editor's world was not saved"
# A window that fails before it is up (no font) says why in a message box
# and then ends as a closed window does, with status 0; where no box can be
# shown, it says why on standard error and ends with status 1.
FONTCONFIG_FILE="$(cd "$source" && pwd)/tests/transcripts/no_fonts.conf" "$velmora" 2>"$dir/err" &
pid=$!
expected=1
if find_box "Velmora Keep 03"; then
  expected=0
  send_close "$box"
fi
status=0
bounded sh -c "while kill -0 $pid 2>/dev/null; do sleep 0.1; done" || kill -9 "$pid"
wait "$pid" || status=$?
[ "$status" = "$expected" ] || fail "a window without fonts ended with status $status"
[ "$expected" = 0 ] || grep -qF "no font found for Tahoma" "$dir/err" || fail "no word of the missing font"
echo "window_test: frames, keys, three sittings of a recording, a failed recording, enlargement, icon, watching, the world editor, closing and a failed start all as they should be"

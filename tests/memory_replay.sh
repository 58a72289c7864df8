#!/bin/sh
# Plays a headless script through the whole velmora program under a memory
# checker and fails on any report: a read of uninitialised memory, an access
# out of bounds, or a block still allocated at exit.
#   memory_replay.sh memcheck VELMORA SCRIPT    valgrind's memcheck (skipped,
#                                               status 77, without valgrind)
#   memory_replay.sh sanitizer VELMORA SCRIPT   a sanitizer build of velmora,
#                                               with LeakSanitizer on
set -eu
mode=$1
velmora=$2
script=$3

case "$mode" in
  memcheck)
    if ! command -v valgrind >/dev/null 2>&1; then
      echo "valgrind is not installed: skipped"
      exit 77
    fi
    # --leak-check=full makes a definite or possible leak an error as well.
    # Origins are not tracked (that doubles the run); to see where an
    # uninitialised value came from, rerun with --track-origins=yes.
    exec valgrind -q --error-exitcode=1 --leak-check=full \
      "$velmora" --headless "$script" >/dev/null
    ;;
  sanitizer)
    ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}" exec "$velmora" --headless "$script" >/dev/null
    ;;
  *)
    echo "memory_replay.sh: unknown mode $mode" >&2
    exit 2
    ;;
esac

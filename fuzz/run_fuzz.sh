#!/bin/sh
# Replays every committed input of the fuzz targets (regressions first, then
# the seed corpora), then fuzzes each target for a short fixed budget with a
# fixed seed. Any crash, sanitizer report or broken invariant fails the run.
# The statement target also starts from today's case tables (tests/cases/):
# each part of a table, set-up and case statements in order, is one game.
# Usage: fuzz/run_fuzz.sh BUILD_DIR [SECONDS_PER_TARGET]
set -eu
build=$(cd "$1" && pwd)
budget=${2:-30}
cd "$(dirname "$0")"
work="$build/fuzz-work"
mkdir -p "$work"

# Runs a target, keeping its chatter in a log; shows the log's tail on failure.
run() {
  log="$work/$1.log"
  shift
  "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "fuzz: failed (whole log: $log)" >&2; exit 1; }
}

for pair in statement_fuzz:statements keys_fuzz:keys worlds_fuzz:worlds; do
  target=${pair%%:*}
  corpus=corpus/${pair#*:}
  regressions=regressions/$target
  binary="$build/fuzz/$target"

  # Replay: each file runs once, without mutation.
  set -- "$corpus"/*
  [ ! -d "$regressions" ] || set -- "$regressions"/* "$@"
  run "$target-replay" "$binary" -timeout=60 "$@"
  echo "fuzz: $target replayed $# committed inputs"

  # Short fuzzing from the committed inputs; new inputs go to a scratch folder.
  rm -rf "$work/$target-corpus"
  mkdir -p "$work/$target-corpus" "$work/$target-artifacts"
  if [ "$target" = statement_fuzz ]; then
    awk -v out="$work/$target-corpus/" '
      FNR == 1 { name = FILENAME; sub(/.*\//, "", name); sub(/\.txt$/, "", name) }
      FNR == 1 || /^==/ { if (file) close(file); file = out name "_" ++part }
      /^>/ { sub(/^> */, ""); print > file }
      / => / { sub(/ => .*/, ""); print > file }' ../tests/cases/*.txt
  fi
  set -- "$corpus"
  [ ! -d "$regressions" ] || set -- "$@" "$regressions"
  run "$target-fuzz" "$binary" -seed=20240601 -max_total_time="$budget" -timeout=60 \
    -dict="${pair#*:}.dict" -print_final_stats=1 -artifact_prefix="$work/$target-artifacts/" \
    "$work/$target-corpus" "$@"
  echo "fuzz: $target $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in" \
    "${budget}s, no crash"
done

#!/bin/sh
# Builds the game and its benchmarks in Release (build-perf) and runs every
# benchmark with repetitions: first the rules' program (statements, turns),
# then the form's (key presses, start-up, whole games). Each ends with a
# Markdown table of the medians and their ratios to one plain copy of a whole
# drawing surface (bench/bench_game.h), the figures of docs/performance.md. Extra arguments go to
# both benchmark programs, e.g.
#   scripts/bench.sh --benchmark_filter=Statement
# REPETITIONS (default 9) sets how many runs each median is taken over.
set -eu
cd "$(dirname "$0")/.."
build=build-perf

scripts/setup.sh "$build" --hardened -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON -DVELMORA_TESTS=OFF
ninja -C "$build" velmora velmora_rules_bench velmora_bench
for program in velmora_rules_bench velmora_bench; do
  "$build/bench/$program" --benchmark_repetitions="${REPETITIONS:-9}" \
    --benchmark_report_aggregates_only=true "$@"
done

#!/bin/sh
# What the release flags cost: builds the benchmarks twice in Release, with
# the hardening flags (scripts/buildflags.sh, build-perf/) and without
# (build-perf-plain/), then runs the field key press and statement
# benchmarks of both in turn, ROUNDS times (default 3) with REPETITIONS runs
# each (default 9), and prints the medians side by side.
# Usage: scripts/bench-hardening.sh
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh build-perf --hardened -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON \
  -DVELMORA_TESTS=OFF
scripts/setup.sh build-perf-plain -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=ON \
  -DVELMORA_TESTS=OFF -DCMAKE_CXX_FLAGS= -DCMAKE_EXE_LINKER_FLAGS=
for build in build-perf build-perf-plain; do
  ninja -C "$build" velmora_rules_bench velmora_bench >/dev/null
done
results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
round=1
while [ "$round" -le "${ROUNDS:-3}" ]; do
  for build in build-perf-plain build-perf; do
    for pair in "velmora_bench:^BM_FieldKeyPress$" "velmora_rules_bench:Statement"; do
      program=${pair%%:*}
      "$build/bench/$program" --benchmark_filter="${pair#*:}" \
        --benchmark_repetitions="${REPETITIONS:-9}" --benchmark_format=json \
        >"$results/$build.$program.$round.json" 2>/dev/null
    done
  done
  round=$((round + 1))
done
python3 - "$results" <<'PY'
import glob, json, statistics, sys
times = {}
for path in glob.glob(sys.argv[1] + "/*.json"):
    build = path.split("/")[-1].split(".")[0]
    for b in json.load(open(path))["benchmarks"]:
        if b.get("run_type") == "iteration":
            times.setdefault(b["run_name"], {}).setdefault(build, []).append(b["real_time"])
print("| benchmark | unhardened median (ns) | hardened median (ns) | hardened / unhardened |")
print("|---|---:|---:|---:|")
for name in sorted(times):
    plain = statistics.median(times[name]["build-perf-plain"])
    hard = statistics.median(times[name]["build-perf"])
    print(f"| {name} | {plain:.1f} | {hard:.1f} | {hard / plain:.3f} |")
PY

#!/bin/sh
# What the release flags cost: builds the benchmarks twice in Release, with
# the hardening flags (scripts/buildflags.sh, build-perf/) and without
# (build-perf-plain/), then runs the field key press and statement
# benchmarks of both in turn, ROUNDS times (default 1) with REPETITIONS runs
# each (default 9), and prints the medians side by side: wall time, and CPU
# time, which a busy machine disturbs less.
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
while [ "$round" -le "${ROUNDS:-1}" ]; do
  for build in build-perf-plain build-perf; do
    for pair in "velmora_bench:^BM_FieldKeyPress$" "velmora_rules_bench:Statement"; do
      program=${pair%%:*}
      "$build/bench/$program" --benchmark_filter="${pair#*:}" \
        --benchmark_repetitions="${REPETITIONS:-9}" --benchmark_out_format=json \
        --benchmark_out="$results/$build.$program.$round.json" >/dev/null
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
            runs = times.setdefault(b["run_name"], {}).setdefault(build, {"real": [], "cpu": []})
            runs["real"].append(b["real_time"])
            runs["cpu"].append(b["cpu_time"])
print("| benchmark | unhardened wall | hardened wall | ratio | unhardened CPU | hardened CPU | ratio |")
print("|---|---:|---:|---:|---:|---:|---:|")
for name in sorted(times):
    row = [name]
    for kind in ("real", "cpu"):
        plain = statistics.median(times[name]["build-perf-plain"][kind])
        hard = statistics.median(times[name]["build-perf"][kind])
        row += [f"{plain:.0f} ns", f"{hard:.0f} ns", f"{hard / plain:.3f}"]
    print("| " + " | ".join(row) + " |")
PY

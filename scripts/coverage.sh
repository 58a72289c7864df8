#!/bin/sh
# Measures how much of the game code the test suite runs: builds with gcov
# instrumentation in build-cov, runs the whole CTest suite and reports line
# and branch coverage of the game's folders, per folder and per file.
# Usage: scripts/coverage.sh [--no-build]   (--no-build: summarise the last run)
set -eu
cd "$(dirname "$0")/.."
build=build-cov

if [ "${1:-}" != "--no-build" ]; then
  scripts/setup.sh "$build" --tests -DCMAKE_BUILD_TYPE=Debug -DVELMORA_COVERAGE=ON \
    -DVELMORA_BENCH=OFF
  ninja -C "$build"
  # Counts add up across runs: start from nothing.
  find "$build" -name '*.gcda' -delete
  # The soak's games cost many times more when counted; a few of them
  # still reach every branch the full soak does.
  VELMORA_SOAK_GAMES=${VELMORA_SOAK_GAMES:-16} \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" ||
    echo "coverage.sh: some tests failed; the figures below are still those of this run" >&2
fi

# gcov writes one JSON document per object; headers compiled into several
# objects are merged line by line (a line counts as run if any object ran it).
objects=$(find "$build/CMakeFiles/velmora_rules.dir" "$build/CMakeFiles/velmora_ui.dir" \
  "$build/CMakeFiles/velmora_headless.dir" "$build/CMakeFiles/velmora_app.dir" "$build/CMakeFiles/velmora.dir" \
  -name '*.gcda' | sort)
if [ -z "$objects" ]; then
  echo "coverage.sh: no counts in $build; run without --no-build first" >&2
  exit 1
fi
# shellcheck disable=SC2086
gcov --json-format --stdout --branch-probabilities $objects 2>/dev/null |
  python3 -c '
import json, os, sys
root = os.getcwd() + "/"
folders = ("game/", "sql/", "statements/", "ui/", "headless/", "app/")
lines = {}     # file -> {line: count}
branches = {}  # file -> {(line, function, index): count}
for doc in sys.stdin:
    doc = doc.strip()
    if not doc:
        continue
    for f in json.loads(doc)["files"]:
        name = f["file"]
        if name.startswith(root):
            name = name[len(root):]
        if not name.startswith(folders):
            continue
        fl = lines.setdefault(name, {})
        fb = branches.setdefault(name, {})
        for ln in f["lines"]:
            n = ln["line_number"]
            fl[n] = max(fl.get(n, 0), ln["count"])
            for i, b in enumerate(ln.get("branches", [])):
                if b.get("throw"):
                    continue  # exception edges of calls, not decisions
                key = (n, ln.get("function_name", ""), i)
                fb[key] = max(fb.get(key, 0), b["count"])

def pct(hit, total):
    return 100.0 * hit / total if total else 100.0

verbose = os.environ.get("COVERAGE_FILES", "1") != "0"
print("%-40s %15s %17s" % ("", "lines", "branches"))
for folder in folders:
    names = sorted(n for n in lines if n.startswith(folder))
    th = tt = bh = bt = 0
    for n in names:
        h = sum(1 for c in lines[n].values() if c > 0); t = len(lines[n])
        bhit = sum(1 for c in branches[n].values() if c > 0); btot = len(branches[n])
        th += h; tt += t; bh += bhit; bt += btot
        if verbose:
            missed = sorted(k for k, c in lines[n].items() if c == 0)
            print("  %-38s %5.1f%% %4d/%-4d %5.1f%% %4d/%-4d %s" % (n, pct(h, t), h, t,
                  pct(bhit, btot), bhit, btot,
                  ("missed: " + ",".join(map(str, missed[:12])) + (" ..." if len(missed) > 12 else "")) if missed else ""))
    print("%-40s %5.1f%% %4d/%-4d %5.1f%% %4d/%-4d" % (folder, pct(th, tt), th, tt,
          pct(bh, bt), bh, bt))
'

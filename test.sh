#!/bin/sh
# The test command. Builds Velmora Keep 03 and runs the whole CTest suite:
# the statement cases, transcripts, frames and rules, the real-window tests
# on a private X server, whole games under valgrind's memcheck and a short
# determinism soak.
#   ./test.sh --deep   then the CI stages: the suite again in an
#                      AddressSanitizer + UndefinedBehaviorSanitizer build
#                      with a longer soak and a year of days' worlds, the
#                      benchmarks built, and the fuzz
#                      targets built with clang, replayed and fuzzed, and
#                      the release built twice from clean clones of HEAD,
#                      byte for byte the same (scripts/check-reproducible.sh).
# With CI set, warnings are errors (in the two gcc builds).
set -eu
cd "$(dirname "$0")"
werror=OFF
if [ -n "${CI:-}" ]; then werror=ON; fi
jobs=$(nproc 2>/dev/null || echo 2)

# The package lists are refreshed once for both steps of installing.
apt_state=$(mktemp -d)
trap 'rm -rf "$apt_state"' EXIT
export VELMORA_APT_UPDATED="$apt_state/updated"
scripts/setup.sh build-test --hardened -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_WERROR=$werror -DVELMORA_BENCH=OFF
# What only the tests use (Chromium, emscripten, the packaging tools, the
# browser test's node modules: most of what a fresh machine downloads and
# installs) comes in while the game compiles.
scripts/setup.sh --test-tools >build-test/test-tools.log 2>&1 &
tools=$!
built=0
ninja -C build-test || built=$?
if ! wait $tools; then
  cat build-test/test-tools.log >&2
  exit 1
fi
sed -n 's/^Installing:/Installed:/p' build-test/test-tools.log
[ $built -eq 0 ] || exit $built
ctest --test-dir build-test --output-on-failure -j "$jobs"
if [ "${1:-}" != "--deep" ]; then
  echo "All tests passed."
  exit 0
fi

scripts/setup.sh build-asan --tests -DCMAKE_BUILD_TYPE=Debug \
  -DVELMORA_WERROR=$werror -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=ON
ninja -C build-asan
VELMORA_SOAK_GAMES=128 VELMORA_DAILY_DAYS=366 ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

scripts/setup.sh build-fuzz --tests -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
ninja -C build-fuzz
fuzz/run_fuzz.sh build-fuzz 60

scripts/check-reproducible.sh
echo "All tests passed (normal and sanitizer builds, benchmarks built, fuzz targets, reproducible release)."

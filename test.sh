#!/bin/sh
# Builds Velmora Keep 03 twice, normally and with AddressSanitizer +
# UndefinedBehaviorSanitizer, and runs the whole test suite on both; then
# builds the fuzz targets with clang and replays and briefly fuzzes them.
# With CI set, warnings are errors (in the two gcc builds).
set -eu
cd "$(dirname "$0")"
werror=OFF
if [ -n "${CI:-}" ]; then werror=ON; fi
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh build-test --tests -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_WERROR=$werror -DVELMORA_BENCH=ON
ninja -C build-test
ctest --test-dir build-test --output-on-failure -j "$jobs"

scripts/setup.sh build-asan --tests -DCMAKE_BUILD_TYPE=Debug \
  -DVELMORA_WERROR=$werror -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF
ninja -C build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

scripts/setup.sh build-fuzz --tests -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
ninja -C build-fuzz
fuzz/run_fuzz.sh build-fuzz 30
echo "All tests passed (normal and sanitizer builds, fuzz targets)."

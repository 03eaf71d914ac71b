#!/usr/bin/env bash
# Builds Curvix with its tests and runs them all.
#   scripts/test.sh              the suite (what continuous integration runs)
#   scripts/test.sh --sanitize   the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=build-test
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCURVIX_TESTS=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options+=(-DCURVIX_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$build" -G Ninja "${options[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 900

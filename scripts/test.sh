#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice: in an
# optimised build, then under AddressSanitizer and UndefinedBehaviorSanitizer.
# GL tests need a display: without one they run inside Xvfb. Every GoogleTest case is a
# test of its own and the tests run in parallel; each end-to-end script starts its own X
# server, so they cannot disturb each other.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc)"

bash "$ROOT/scripts/setup.sh"

with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1920x1080x24" "$@"
  fi
}

echo "== Release build (program, tests, benchmarks)"
cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$ROOT/build" -j"$JOBS"
(cd "$ROOT/build" && with_display ctest --output-on-failure -j"$JOBS")

echo "== Sanitizer build (AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$ROOT" -B "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DOVRA_SANITIZE=ON -DOVRA_BUILD_BENCH=OFF
cmake --build "$ROOT/build-asan" -j"$JOBS"
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$ROOT/build-asan" && with_display ctest --output-on-failure -j"$JOBS")

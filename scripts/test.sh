#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test twice: in an
# optimised build, then under AddressSanitizer and UndefinedBehaviorSanitizer. The second
# run leaves out, and says so: e2e_external_game (the installed engine, checked in the
# optimised build only) and the soak test's memory-growth check (compiled out under
# AddressSanitizer); the package checks run in the optimised build only, which makes the
# packages. tests/external_game/run.sh skips the installed viewer, saying so, in a build
# without the viewer.
# GL tests need a display: without one they run inside Xvfb. Every GoogleTest case is a
# test of its own and the tests run in parallel; each end-to-end script starts its own X
# server, so they cannot disturb each other.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc)"

bash "$ROOT/scripts/setup.sh" test

with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    # -noreset: a server that resets when its last client leaves drops the next test's window.
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$@"
  fi
}

echo "== Format of the tracked sources (clang-format)"
bash "$ROOT/scripts/check_format.sh"

echo "== Release build (program, tests, benchmarks)"
cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$ROOT/build" -j"$JOBS"
(cd "$ROOT/build" && with_display ctest --output-on-failure -j"$JOBS")

echo "== API reference (Doxygen, no warnings allowed)"
cmake --build "$ROOT/build" --target doc

echo "== Sanitizer build (AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer)"
cmake -S "$ROOT" -B "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DOVRA_SANITIZE=ON -DOVRA_BUILD_BENCH=OFF
cmake --build "$ROOT/build-asan" -j"$JOBS"
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$ROOT/build-asan" && with_display ctest --output-on-failure -j"$JOBS")

# ---- Fuzzing -------------------------------------------------------------------------------
# The fuzz targets as libFuzzer programs (clang, AddressSanitizer, UndefinedBehaviorSanitizer),
# under a private Xvfb: every seed and saved regression once, then a short run of each target,
# two at a time. A run fails only on a crash or leak in the project's own code; library faults
# are listed. The release and sanitizer builds above already replayed the same inputs.
echo "== Fuzz build (clang, libFuzzer)"
cmake -S "$ROOT" -B "$ROOT/build-fuzz" -DOVRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF -DOVRA_BUILD_VIEWER=OFF -DOVRA_BUILD_TOOLS=OFF \
  -DOVRA_FUZZ_SECONDS="${OVRA_FUZZ_SECONDS:-60}"
cmake --build "$ROOT/build-fuzz" -j"$JOBS"
(cd "$ROOT/build-fuzz" && xvfb-run -a -s "-screen 0 640x480x24" ctest -L fuzz -j2 --output-on-failure)

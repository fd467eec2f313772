#!/usr/bin/env bash
# Fuzzes one target for a while, starting from its seeds and saved regressions, then replays
# every input that crashed, leaked, timed out or ran out of memory and sorts it by the first
# frame of its report that is not the sanitizer runtime or the C and C++ runtimes: in the
# project's sources (fails the run) or in a library (listed; assimp, SDL_image and Mesa
# have their own faults). After a crash libFuzzer is started again on the grown corpus until
# the time is up (cheaper than -fork, whose every job sets up a new GL context).
#
#   run_fuzz.sh <fuzz program> <target name> <seconds> <work folder> [extra libFuzzer options]
#
# Needs a display. The grown corpus, the crashing inputs and their reports stay in
# <work folder>/<target name>/; the last lines give executions, coverage and corpus size.
# OVRA_FUZZ_MAX_FAILURES (default 50) ends the run early after that many failing inputs.
set -uo pipefail
EXE="$1"
TARGET="$2"
SECONDS_TO_RUN="$3"
WORK="$4/$TARGET"
shift 4
SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

rm -rf "$WORK/artifacts" "$WORK/reports" "$WORK/tmp" "$WORK/fuzz.log"
mkdir -p "$WORK/corpus" "$WORK/artifacts" "$WORK/reports" "$WORK/tmp"
export TMPDIR="$WORK/tmp"
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:allocator_may_return_null=0"
export LSAN_OPTIONS="suppressions=$SRC/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_SYMBOLIZER_PATH="${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)}"

inputs=("$SRC/fuzz/corpus/$TARGET")
[ -d "$SRC/fuzz/regressions/$TARGET" ] && inputs+=("$SRC/fuzz/regressions/$TARGET")

start=$SECONDS
sessions=0
while true; do
  left=$((SECONDS_TO_RUN - (SECONDS - start)))
  [ "$left" -lt 5 ] && break
  sessions=$((sessions + 1))
  "$EXE" -max_total_time="$left" -timeout=10 -rss_limit_mb=2048 -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$WORK/artifacts/" "$@" "$WORK/corpus" "${inputs[@]}" >>"$WORK/fuzz.log" 2>&1
  [ $? -eq 0 ] && break
  # Once this many inputs have failed, stop rather than hit the same library fault again and again.
  [ "$(find "$WORK/artifacts" -type f | wc -l)" -ge "${OVRA_FUZZ_MAX_FAILURES:-50}" ] && break
done
elapsed=$((SECONDS - start))
executions=$(awk '/stat::number_of_executed_units/ {n += $2} END {print n + 0}' "$WORK/fuzz.log")
echo "fuzz_$TARGET: ${elapsed}s in $sessions session(s), $executions executions," \
  "$((executions / (elapsed > 0 ? elapsed : 1))) exec/s"
echo "last stats: $(grep -E '^#[0-9]+' "$WORK/fuzz.log" | tail -n 1)"
echo "corpus: $(find "$WORK/corpus" -type f | wc -l) files"

# Prints "project <frame>", "library <frame>" or "unknown" for one sanitizer report: the
# first stack of an error, or every stack of a leak report (any project frame wins).
classify() {
  awk -v src="$SRC" '
    function meaningful(line) {
      if (line ~ /in (__interceptor_|__asan|__sanitizer|__ubsan|__lsan|operator new|operator delete|malloc|calloc|realloc|free|fuzzer::)/) return 0
      if (line ~ /(libc\.so|libstdc\+\+\.so|libc\+\+|ld-linux|libgcc_s)/) return 0
      if (line ~ /in (raise|abort|__pthread_kill_implementation|std::terminate|__cxa_|__gxx_|__libc_)/) return 0
      if (line ~ / (nptl|stdlib|signal|csu|string|sysdeps)\//) return 0
      if (line ~ /compiler-rt\//) return 0
      return 1
    }
    /Direct leak|Indirect leak/ { stack_open = 1; picked = 0; leak = 1; next }
    /^ *#[0-9]+ 0x/ {
      if (done && !leak) next
      if (picked) next
      if (!meaningful($0)) next
      picked = 1; done = 1
      if ($0 ~ /\/(engine|game)\/(src|include)\/|\/fuzz\/(support|targets)\//) { project = $0 }
      else if (first == "") { first = $0 }
      next
    }
    /^$/ { if (leak) picked = 0 }
    END {
      if (project != "") { sub(/^ *#[0-9]+ 0x[0-9a-f]+ /, "", project); print "project " project }
      else if (first != "") { sub(/^ *#[0-9]+ 0x[0-9a-f]+ /, "", first); print "library " first }
      else print "unknown"
    }' "$1"
}

failed=0
shopt -s nullglob
for artifact in "$WORK"/artifacts/*; do
  name="$(basename "$artifact")"
  report="$WORK/reports/$name.txt"
  "$EXE" -timeout=10 -rss_limit_mb=2048 "$artifact" >"$report" 2>&1
  verdict="$(classify "$report")"
  echo "$name: $verdict"
  case "$verdict" in project*) failed=1 ;; esac
done
if [ "$failed" -ne 0 ]; then
  echo "fuzz_$TARGET: a crash or leak in the project's code; reports in $WORK/reports"
  exit 1
fi
exit 0

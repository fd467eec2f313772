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
# Needs a display and llvm-symbolizer. The grown corpus, the crashing inputs and their reports
# stay in <work folder>/<target name>/; the last lines give executions, coverage and corpus size.
# OVRA_FUZZ_MAX_FAILURES (default 50) ends the run early after that many failing inputs.
#
# The run fails, saying why, when it has not tested what it claims:
# - the program is missing, a session ends before libFuzzer has started fuzzing (no display),
#   or a session hangs past its deadline;
# - fewer inputs were executed than OVRA_FUZZ_MIN_EXECUTIONS (default: the seeds and saved
#   regressions, and one more for every 4 seconds asked for: so the fuzzing itself ran);
# - a report has frames without symbols (no symbolizer, or a program built without them);
# - an input's replay gives no stack to sort by ("unknown": no crash again, or an out-of-memory
#   stop) and it is not one of the known library inputs in fuzz/known/<target name>/.
set -uo pipefail
if [ $# -lt 4 ]; then
  echo "usage: $0 <fuzz program> <target name> <seconds> <work folder> [libFuzzer options]" >&2
  exit 2
fi
EXE="$1"
TARGET="$2"
SECONDS_TO_RUN="$3"
WORK="$4/$TARGET"
shift 4
SRC="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

give_up() {
  echo "fuzz_$TARGET: FAIL: $*" >&2
  exit 1
}

[ -f "$EXE" ] && [ -x "$EXE" ] || give_up "no fuzz program at $EXE"
SYMBOLIZER="${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)}"
[ -n "$SYMBOLIZER" ] && [ -x "$SYMBOLIZER" ] ||
  give_up "llvm-symbolizer is missing, so reports would name no source (bash scripts/setup.sh test installs llvm)"

rm -rf "$WORK/artifacts" "$WORK/reports" "$WORK/tmp" "$WORK/fuzz.log" "$WORK/session.log"
mkdir -p "$WORK/corpus" "$WORK/artifacts" "$WORK/reports" "$WORK/tmp"
export TMPDIR="$WORK/tmp"
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:allocator_may_return_null=0:fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$SRC/fuzz/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_SYMBOLIZER_PATH="$SYMBOLIZER"

inputs=("$SRC/fuzz/corpus/$TARGET")
[ -d "$SRC/fuzz/regressions/$TARGET" ] && inputs+=("$SRC/fuzz/regressions/$TARGET")
# Replaying the seeds alone is not fuzzing: ask for one new input per 4 seconds on top of them.
MIN_EXECUTIONS="${OVRA_FUZZ_MIN_EXECUTIONS:-$(($(find "${inputs[@]}" -type f | wc -l) + SECONDS_TO_RUN / 4))}"

# Room for the largest texture the GL takes (16384 x 16384, 1 GiB decoded) and its upload, so
# that an out-of-memory stop means memory run away rather than an image the engine accepts.
RSS_LIMIT_MB=4096

start=$SECONDS
sessions=0
stopped_early=""
while true; do
  left=$((SECONDS_TO_RUN - (SECONDS - start)))
  [ "$left" -lt 5 ] && break
  sessions=$((sessions + 1))
  # libFuzzer can hang while it reports an out-of-memory stop (its memory profile starts the
  # symbolizer from a forked child), so each session runs under a deadline.
  timeout -s KILL $((left + 180)) "$EXE" -max_total_time="$left" -timeout=10 -rss_limit_mb="$RSS_LIMIT_MB" -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$WORK/artifacts/" "$@" "$WORK/corpus" "${inputs[@]}" >"$WORK/session.log" 2>&1
  status=$?
  cat "$WORK/session.log" >>"$WORK/fuzz.log"
  if [ $status -eq 137 ]; then
    stopped_early="session $sessions hung past its deadline and was killed; its output is in $WORK/fuzz.log"
    break
  fi
  # libFuzzer may have put an input that stops the program into the working corpus (kept from
  # run to run): each session replays the corpus first and would stop there again. Such an
  # input is kept as an artifact, named by the same hash as its corpus file.
  pruned=0
  for artifact in "$WORK"/artifacts/*; do
    [[ "$artifact" == */slow-unit-* ]] && continue  # finished: nothing stops on it
    if [ -e "$artifact" ] && [ -e "$WORK/corpus/${artifact##*-}" ]; then
      rm -f "$WORK/corpus/${artifact##*-}"
      pruned=1
    fi
  done
  # libFuzzer prints INITED once the seeds have run and fuzzing begins; a program that stops
  # before (no display, bad options) would only be restarted again and again.
  if ! grep -qE '^#[0-9]+[[:space:]]+INITED' "$WORK/session.log"; then
    if grep -q "Test unit written to" "$WORK/session.log"; then
      # An input of the working corpus is gone now: fuzz on. Otherwise a seed or saved
      # regression failed: sorted below with the others.
      [ "$pruned" -eq 1 ] && continue
      stopped_early="a seed or saved regression failed before fuzzing began"
      break
    fi
    tail -n 5 "$WORK/session.log" >&2
    give_up "the program stopped (exit $status) before fuzzing began; its output is above and in $WORK/fuzz.log"
  fi
  [ $status -eq 0 ] && break
  # Once this many inputs have failed, stop rather than hit the same library fault again and again.
  [ "$(find "$WORK/artifacts" -type f | wc -l)" -ge "${OVRA_FUZZ_MAX_FAILURES:-50}" ] && break
done
elapsed=$((SECONDS - start))
executions=$(awk '/stat::number_of_executed_units/ {n += $2} END {print n + 0}' "$WORK/fuzz.log")
echo "fuzz_$TARGET: ${elapsed}s in $sessions session(s), $executions executions," \
  "$((executions / (elapsed > 0 ? elapsed : 1))) exec/s"
echo "last stats: $(grep -E '^#[0-9]+' "$WORK/fuzz.log" | tail -n 1)"
echo "corpus: $(find "$WORK/corpus" -type f | wc -l) files"

# Prints "project <frame>", "library <frame>", "unsymbolized <frame>" or "unknown" for one
# sanitizer report: the first stack of an error, or every stack of a leak report (any project
# frame wins). A frame of the program itself without a source path cannot be sorted: the
# engine is linked into the program, so it could be the project's.
classify() {
  awk -v exe="$EXE" '
    function meaningful(line) {
      if (line ~ /in (__interceptor_|__asan|__sanitizer|__ubsan|__lsan|operator new|operator delete|malloc|calloc|realloc|free|fuzzer::)/) return 0
      if (line ~ /(libc\.so|libstdc\+\+\.so|libc\+\+|ld-linux|libgcc_s)/) return 0
      if (line ~ /in (raise|abort|__pthread_kill_implementation|std::terminate|__cxa_|__gxx_|__libc_)/) return 0
      if (line ~ / (nptl|stdlib|signal|csu|string|sysdeps)\//) return 0
      if (line ~ /compiler-rt\/|\/usr\/include\/c\+\+\//) return 0
      return 1
    }
    function unsymbolized(line) {
      return index(line, "(" exe "+0x") > 0 && line !~ / \/[^ ]+:[0-9]+/
    }
    /Failed to use and restart external symbolizer/ { blind = 1 }
    # Over the memory limit as a whole: the stacks that follow are the heap profile, not a culprit.
    /ERROR: libFuzzer: out-of-memory \(used:/ { rss = 1 }
    /Direct leak|Indirect leak/ { stack_open = 1; picked = 0; leak = 1; next }
    /^ *#[0-9]+ 0x/ {
      if (done && !leak) next
      if (picked) next
      if (!meaningful($0)) next
      picked = 1; done = 1
      if (unsymbolized($0)) { if (blind_frame == "") blind_frame = $0 }
      else if ($0 ~ /\/(engine|game)\/(src|include)\/|\/fuzz\/(support|targets)\//) { project = $0 }
      else if (first == "") { first = $0 }
      next
    }
    /^$/ { if (leak) picked = 0 }
    END {
      if (rss) print "unknown"
      else if (project != "") { sub(/^ *#[0-9]+ 0x[0-9a-f]+ /, "", project); print "project " project }
      else if (blind_frame != "") { sub(/^ *#[0-9]+ 0x[0-9a-f]+ /, "", blind_frame); print "unsymbolized " blind_frame }
      else if (blind) print "unsymbolized (the symbolizer failed)"
      else if (first != "") { sub(/^ *#[0-9]+ 0x[0-9a-f]+ /, "", first); print "library " first }
      else print "unknown"
    }' "$1"
}

# The known library input with the same bytes, if any.
known_input() {
  local known
  for known in "$SRC/fuzz/known/$TARGET"/*; do
    if cmp -s "$known" "$1"; then
      echo "${known#"$SRC/"}"
      return 0
    fi
  done
  return 1
}

failed=()
shopt -s nullglob
for artifact in "$WORK"/artifacts/*; do
  name="$(basename "$artifact")"
  # libFuzzer also keeps inputs that ran slowly but finished: listed, not a failure.
  case "$name" in
    slow-unit-*) echo "$name: slow, but it finished"; continue ;;
  esac
  report="$WORK/reports/$name.txt"
  timeout -s KILL 300 "$EXE" -timeout=10 -rss_limit_mb="$RSS_LIMIT_MB" "$artifact" >"$report" 2>&1
  replayed=$?
  # A time limit met only while the machine was busy: alone, the input ran to its end within
  # the same limit. One that still hangs is stopped again and sorted by its stack.
  if [[ "$name" == timeout-* ]] && [ "$replayed" -eq 0 ]; then
    echo "$name: slow while the machine was busy; its replay finished within the time limit"
    continue
  fi
  verdict="$(classify "$report")"
  case "$verdict" in
    project*) failed+=("$name: a crash or leak in the project's code") ;;
    unsymbolized*) failed+=("$name: its report has frames without symbols; is llvm-symbolizer working?") ;;
    unknown)
      if known="$(known_input "$artifact")"; then
        verdict="unknown, the known library input $known"
      else
        failed+=("$name: no stack to sort it by (no crash on replay, or out of memory); input kept")
      fi
      ;;
  esac
  echo "$name: $verdict"
done
[ -n "$stopped_early" ] && failed+=("$stopped_early")
if [ "$executions" -lt "$MIN_EXECUTIONS" ]; then
  failed+=("only $executions inputs executed, fewer than the $MIN_EXECUTIONS required (OVRA_FUZZ_MIN_EXECUTIONS)")
fi
if [ ${#failed[@]} -gt 0 ]; then
  for reason in "${failed[@]}"; do echo "fuzz_$TARGET: FAIL: $reason" >&2; done
  echo "fuzz_$TARGET: inputs in $WORK/artifacts, reports in $WORK/reports" >&2
  exit 1
fi
exit 0

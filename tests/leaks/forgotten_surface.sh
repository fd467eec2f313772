#!/usr/bin/env bash
# The leak suppressions of the test and fuzz runs hide what the libraries keep, never a surface
# the project forgets: run a program that forgets one under each suppressions file. The test
# runs' file must also report memory forgotten in a callback that assimp makes; the fuzz runs'
# file names the entry through which assimp calls its readers, which such a callback can share.
#   forgotten_surface.sh <forgotten_surface program> <source folder>
set -uo pipefail
PROGRAM="$1"
SRC="$2"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
# Whole stacks: SDL is built without frame pointers, and the fast unwinder would stop inside it
# before reaching the frame that forgot the surface.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}:fast_unwind_on_malloc=0"
status=0

# suppressions file | what is forgotten | the frame the report must name (empty: no report)
while IFS='|' read -r supp what frame; do
  case_name="$supp, $what"
  LSAN_OPTIONS="suppressions=$SRC/$supp:print_suppressions=0" \
    timeout -s KILL 120 "$PROGRAM" "$what" "$WORK" >"$WORK/out" 2>"$WORK/err"
  code=$?
  if [ -z "$frame" ]; then
    if [ $code -ne 0 ] || grep -q LeakSanitizer "$WORK/err"; then
      echo "FAIL ($case_name): a report although nothing was forgotten (exit $code):"; cat "$WORK/err"; status=1
    else
      echo "ok ($case_name): no report"
    fi
  elif [ $code -eq 0 ] || ! grep -q "Direct leak" "$WORK/err" || ! grep -qE " in (\(anonymous namespace\)::)?$frame[ (]" "$WORK/err"; then
    echo "FAIL ($case_name): what was forgotten is not reported through $frame (exit $code):"
    cat "$WORK/err"; status=1
  else
    echo "ok ($case_name): reported through $frame"
  fi
done <<'CASES'
tests/lsan.supp|nothing|
tests/lsan.supp|created|forgetCreatedSurface
tests/lsan.supp|loaded|forgetLoadedSurface
tests/lsan.supp|callback|forgetInCallback
fuzz/lsan.supp|nothing|
fuzz/lsan.supp|created|forgetCreatedSurface
fuzz/lsan.supp|loaded|forgetLoadedSurface
CASES
exit $status

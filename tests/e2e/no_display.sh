#!/usr/bin/env bash
# The program started where no display can be reached must say why and exit
# with a failure status, without crashing or dumping core.
set -uo pipefail
BINARY="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

mkdir -p "$WORK/run"
cd "$WORK/run"
env -u WAYLAND_DISPLAY DISPLAY=:4242 SDL_VIDEODRIVER=x11 "$BINARY" >"$WORK/out" 2>"$WORK/err"
status=$?

fail() { echo "FAIL: $*"; echo "--- stderr"; cat "$WORK/err"; exit 1; }
[ "$status" -ne 0 ] || fail "exit status 0"
[ "$status" -lt 128 ] || fail "killed by signal $((status - 128))"
grep -q "^SDL could not initialize! SDL Error: ." "$WORK/err" || fail "no SDL error line"
grep -q "cannot open the game window" "$WORK/err" || fail "no closing explanation"
echo "ok: exit status $status"

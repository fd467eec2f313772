#!/usr/bin/env bash
# Without its two shaders the game cannot draw: started with no resources folder, or with
# one whose overlay shader does not compile, it reports the engine's error lines, names
# the missing shader and where it looked, and exits with a failure status, never a crash.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
fail() { echo "FAIL ($CASE): $*"; echo "--- stdout"; head -20 "$WORK/out"; echo "--- stderr"; cat "$WORK/err"; exit 1; }

# Runs the game from $WORK/$1/run; a hung game is killed after 60 s (the sanitizer build is slow).
run_game() {
  cd "$WORK/$1/run" || exit 1
  timeout -s KILL 60 "$BINARY" >"$WORK/out" 2>"$WORK/err"
  STATUS=$?
  cd "$WORK" || exit 1
}

expect_failure_exit() {
  [ "$STATUS" -ne 0 ] || fail "exit status 0"
  [ "$STATUS" -lt 128 ] || fail "killed by signal $((STATUS - 128))"
  ! grep -q "^Player life:" "$WORK/out" || fail "the game ran"
  # The failure status would hide a sanitizer's own: look for its report too.
  ! grep -q "Sanitizer" "$WORK/err" || fail "sanitizer report"
}

CASE="no resources folder"
mkdir -p "$WORK/bare/run"
run_game bare
expect_failure_exit
[ "$(head -n 1 "$WORK/out")" = "ERROR: [../Ressources/simple_shader.vert] not found" ] || fail "first line"
grep -qxF "ERROR: [../Ressources/simple_2D_shader.vert] not found" "$WORK/out" || fail "no line for the overlay shader"
grep -qxF 'Brimwold: shader "simple_shader" is not available from ../Ressources/ (simple_shader.vert / .frag)' \
  "$WORK/err" || fail "no explanation for simple_shader"
grep -qxF 'Brimwold: shader "simple_2D_shader" is not available from ../Ressources/ (simple_2D_shader.vert / .frag)' \
  "$WORK/err" || fail "no explanation for simple_2D_shader"
echo "ok: $CASE, exit status $STATUS"

CASE="overlay shader does not compile"
mkdir -p "$WORK/broken/run" "$WORK/broken/Ressources"
cp -r "$REPO/Ressources/." "$WORK/broken/Ressources/"
echo "this is not GLSL" >"$WORK/broken/Ressources/simple_2D_shader.frag"
run_game broken
expect_failure_exit
grep -qxF "ERROR: while compiling fragment shader" "$WORK/out" || fail "no compile error line"
grep -qxF 'Brimwold: shader "simple_2D_shader" is not available from ../Ressources/ (simple_2D_shader.vert / .frag)' \
  "$WORK/err" || fail "no explanation for simple_2D_shader"
! grep -q '"simple_shader"' "$WORK/err" || fail "blamed the scene shader, which builds"
echo "ok: $CASE, exit status $STATUS"

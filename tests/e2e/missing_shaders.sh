#!/usr/bin/env bash
# Without its two shaders the game cannot draw: started with no resources folder, or with
# one whose overlay shader does not compile, it reports the engine's error lines, names
# the missing shader and where it looked, and exits with a failure status, never a crash.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# Runs the game from $WORK/$1/run; a hung game is killed (the sanitizer build is slow).
run_game() { run_to_end "$START_SECONDS" env -C "$WORK/$1/run" "$BINARY"; }

expect_failure_exit() {
  [ "$STATUS" -ne 0 ] || fail "exit status 0"
  [ "$STATUS" -lt 128 ] || fail "killed by signal $((STATUS - 128))"
  ! grep -q "^Player life:" "$OUT" || fail "the game ran"
  # The failure status would hide a sanitizer's own: look for its report too.
  ! grep -q "Sanitizer" "$ERR" || fail "sanitizer report"
}

CASE="no resources folder"
mkdir -p "$WORK/bare/run"
run_game bare
expect_failure_exit
[ "$(head -n 1 "$OUT")" = "ERROR: [../Ressources/simple_shader.vert] not found" ] || fail "first line"
grep -qxF "ERROR: [../Ressources/simple_2D_shader.vert] not found" "$OUT" || fail "no line for the overlay shader"
grep -qxF 'Brimwold: shader "simple_shader" is not available from ../Ressources/ (simple_shader.vert / .frag)' \
  "$ERR" || fail "no explanation for simple_shader"
grep -qxF 'Brimwold: shader "simple_2D_shader" is not available from ../Ressources/ (simple_2D_shader.vert / .frag)' \
  "$ERR" || fail "no explanation for simple_2D_shader"
echo "ok: $CASE, exit status $STATUS"

CASE="overlay shader does not compile"
mkdir -p "$WORK/broken/run" "$WORK/broken/Ressources"
cp -r "$REPO/Ressources/." "$WORK/broken/Ressources/"
echo "this is not GLSL" >"$WORK/broken/Ressources/simple_2D_shader.frag"
run_game broken
expect_failure_exit
grep -qxF "ERROR: while compiling fragment shader" "$OUT" || fail "no compile error line"
grep -qxF 'Brimwold: shader "simple_2D_shader" is not available from ../Ressources/ (simple_2D_shader.vert / .frag)' \
  "$ERR" || fail "no explanation for simple_2D_shader"
! grep -q '"simple_shader"' "$ERR" || fail "blamed the scene shader, which builds"
echo "ok: $CASE, exit status $STATUS"

#!/usr/bin/env bash
# The viewer driven like a person would: its window is titled with the model's file name;
# dragging with the left button turns the view, R brings it back, the wheel zooms; Escape,
# Ctrl+C, an interrupt and the window's close button each end it with status 0.
# Arguments: ovra_viewer, repository, close_window helper.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.bash"
CLOSE_WINDOW="$(realpath "$3")"
MODEL="$REPO/examples/crate/crate.obj"
fail() { echo "FAIL ($CASE): $*"; echo "--- stdout"; head -20 "$WORK/out"; echo "--- stderr"; cat "$WORK/err"; exit 1; }

# Starts the viewer and waits for its window (found by title) to show the model.
start_viewer() {
  (cd "$WORK" && exec "$BINARY" "$MODEL" </dev/null >"$WORK/out" 2>"$WORK/err") &
  GAME_PID=$!
  WINDOW=""
  for _ in $(seq 300); do
    WINDOW="$(xdotool search --pid "$GAME_PID" --name '^crate\.obj$' 2>/dev/null | head -n 1)"
    [ -n "$WINDOW" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "ended early"
    sleep 0.1
  done
  [ -n "$WINDOW" ] || fail "no window titled crate.obj"
  # Keyboard focus follows the pointer: keep it in the window.
  xdotool mousemove --window "$WINDOW" 480 270
  sleep 1
}

# Waits up to 20 s for the viewer to end; fails unless its status is 0.
expect_clean_exit() {
  wait_for_game_end "$CASE"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
  ! grep -q "Sanitizer" "$WORK/err" || fail "sanitizer report"
}

# Captures the window after the viewer has drawn a few frames; prints the model's box.
capture() {
  sleep 0.5
  import -window "$WINDOW" "$WORK/$1.png" || fail "cannot capture the window"
  convert "$WORK/$1.png" -fuzz 4% -format '%@' info:
}

differs() { [ "$(compare -metric AE -fuzz 4% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1)" -gt 2000 ]; }

CASE="orbit, reset, zoom"
start_viewer
home="$(capture home)"
xdotool mousedown 1
for x in 500 540 580 620 660; do xdotool mousemove --window "$WINDOW" "$x" 300; sleep 0.05; done
xdotool mouseup 1
capture turned >/dev/null
differs home turned || fail "dragging did not turn the view"
xdotool key r
capture reset >/dev/null
differs home reset && fail "R did not bring the home view back"
for _ in 1 2 3 4 5; do xdotool click 5; sleep 0.05; done
far="$(capture far)"
IFS='x+' read -r _ home_h _ _ <<<"$home"
IFS='x+' read -r _ far_h _ _ <<<"$far"
[ "$far_h" -lt $((home_h * 9 / 10)) ] || fail "the wheel did not zoom out: $home -> $far"
xdotool key Escape
expect_clean_exit
echo "ok: $CASE"

# how to quit | command
while IFS='|' read -r CASE command; do
  start_viewer
  eval "$command"
  expect_clean_exit
  echo "ok: $CASE"
done <<EOF_CASES
Escape|xdotool key Escape
Ctrl+C in the window|xdotool key ctrl+c
interrupt from the terminal|kill -INT "\$GAME_PID"
close button|"\$CLOSE_WINDOW" "\$WINDOW"
EOF_CASES

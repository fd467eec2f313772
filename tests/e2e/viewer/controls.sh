#!/usr/bin/env bash
# The viewer driven like a person would: its window is titled with the model's file name;
# dragging with the left button turns the view, R brings it back, the wheel zooms; Escape,
# Ctrl+C, an interrupt and the window's close button each end it with status 0.
# Arguments: ovra_viewer, repository, close_window helper.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.bash"
CLOSE_WINDOW="$(realpath "$3")"
MODEL="$REPO/examples/crate/crate.obj"

# Starts the viewer and waits for its window (found by title) to show the model. SIGINT
# gets its default back, as for a program started from a terminal: a script's background
# job inherits it ignored.
start_viewer() {
  launch env -C "$WORK" --default-signal=INT,TERM "$BINARY" "$MODEL"
  wait_for_window '^crate\.obj$'
  # Keyboard focus follows the pointer: keep it in the window.
  xdotool mousemove --window "$WINDOW" 480 270
  wait_until "the model drawn and still (two like captures of window $WINDOW)" "$START_SECONDS" shows_still_model
}

# Waits for the viewer to end; fails unless its status is 0.
expect_clean_exit() {
  wait_for_game_end "$CASE"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
  ! grep -q "Sanitizer" "$ERR" || fail "sanitizer report"
}

# Captures the window to $WORK/$1.png.
capture() { import -window "$WINDOW" "$WORK/$1.png" || fail "cannot capture the window to $1.png"; }

# Sets BOX to the box of $WORK/$1.png that differs from the background (the model drawn
# there), and BOX_W and BOX_H to its size, 0 for a plain picture.
measure_box() {
  BOX="$(convert "$WORK/$1.png" -fuzz 4% -format '%@' info: 2>/dev/null)" || fail "cannot measure $1.png"
  IFS='x+' read -r BOX_W BOX_H _ _ <<<"$BOX"
  [[ "$BOX_W" =~ ^[0-9]+$ ]] && [[ "$BOX_H" =~ ^[0-9]+$ ]] || { BOX_W=0; BOX_H=0; }
}

# True when more than 2000 pixels differ between two captures. A compare that fails (status
# 2, or no count) fails the test rather than passing for "alike".
differs() {
  local apart status
  apart="$(compare -metric AE -fuzz 4% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1)"
  status=$?
  [ "$status" -le 1 ] && [[ "$apart" =~ ^[0-9]+$ ]] || fail "compare $1.png $2.png (status $status): $apart"
  [ "$apart" -gt 2000 ]
}

# A frame with the model in it, the same in two captures: the first frames have been drawn.
shows_still_model() {
  capture home
  measure_box home
  HOME_H="$BOX_H"
  [ "$BOX_W" -gt 50 ] && [ "$BOX_H" -gt 50 ] || return 1
  capture home_again
  ! differs home home_again
}

turned() { capture turned && differs home turned; }
back_home() { capture reset && ! differs home reset; }
zoomed_out() {
  capture far
  measure_box far
  [ "$BOX_H" -lt $((HOME_H * 9 / 10)) ]
}

CASE="orbit, reset, zoom"
start_viewer
xdotool mousedown 1
for x in 500 540 580 620 660; do xdotool mousemove --window "$WINDOW" "$x" 300; sleep 0.05; done
xdotool mouseup 1
wait_until "the view turned by the drag (turned.png against home.png)" "$EVENT_SECONDS" turned
xdotool key r
wait_until "R bringing the home view back (reset.png against home.png)" "$EVENT_SECONDS" back_home
for _ in 1 2 3 4 5; do xdotool click 5; done
wait_until "the wheel zooming out (far.png a tenth lower than home.png)" "$EVENT_SECONDS" zoomed_out
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

#!/usr/bin/env bash
# P pauses: while paused the picture is frozen (no zombie walks, none enters), "Paused"
# shows and the status line still goes out every frame; P again and the world moves on.
# Leaving the window pauses as well. Set E2E_SHOTS_DIR to keep
# the screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/game.bash"
# The whole arena, and the part of the window left of the text corner.
ARENA="640x720+320+0"

start_game
# The first zombie enters after one second; pause while it walks.
sleep 2.5
press p
wait_for_frames 3
shot paused_a
lines="$(count_lines "Player life:")"
sleep 2
wait_for_frames 2
[ "$(count_lines "Player life:")" -ge $((lines + 10)) ] || fail "the status line stopped while paused"
shot paused_b
moved="$(pixels_differing paused_a paused_b "$ARENA")"
[ "$moved" = 0 ] || fail "$moved arena pixels changed while paused"
# Nothing struck the cat while paused: every line between the two pictures is the same.
said="$(grep "^Player life:" "$OUT" | tail -n +"$lines" | sort -u)"
[ "$(wc -l <<<"$said")" -eq 1 ] || fail "the status changed while paused: $said"

press p
sleep 2
wait_for_frames 2
shot resumed
moved="$(pixels_differing paused_b resumed "$ARENA")"
[ "$moved" -gt 50 ] || fail "only $moved arena pixels changed in 2 s after resuming"

# The keyboard focus moves to the root window (no window manager here to do it), which pauses.
ROOT_WINDOW="$(xwininfo -root | awk '/Window id:/ {print $4}')"
xdotool windowfocus "$ROOT_WINDOW"
wait_for_frames 3
shot away_a
sleep 2
wait_for_frames 2
shot away_b
moved="$(pixels_differing away_a away_b "$ARENA")"
[ "$moved" = 0 ] || fail "$moved arena pixels changed after the window lost the focus"
# "Paused" shows in the corner, where the clear colour was before.
corner="$(pixels_differing resumed away_b "200x30+1060+75")"
[ "$corner" -gt 20 ] || fail "no \"Paused\" in the corner ($corner pixels changed)"
xdotool windowfocus "$WID"
xdotool mousemove $((X + 1100)) $((Y + 100))
press p
quit_game
echo "ok: frozen while paused ($lines+ status lines went on), moving again after P"

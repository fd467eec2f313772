#!/usr/bin/env bash
# A game left alone until the cat falls: its result becomes the first best, kept in
# $XDG_DATA_HOME/brimwold/best; Return before the end does nothing, Return after it starts
# a new game at once (a fresh world, full bar, banner hidden, the first status line again),
# and the new game plays on. Set E2E_SHOTS_DIR to keep the screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/game.bash"
BEST="$XDG_DATA_HOME/brimwold/best"

start_game
[ "$(head -n 1 "$OUT")" = "Player life:100  Is gameover: false" ] || fail "first line: $(head -n 1 "$OUT")"
press Return
wait_for_frames 3
# Return before the end changed nothing: the game goes on to its end.
[ "$(grep -c "Is gameover: yes" "$OUT")" -eq 0 ] || fail "the game ended at once"
[ ! -e "$BEST" ] || fail "a best file before any game over"

wait_for_game_over 90
shot over
expect_pixel over 640 360 102 14 16 "the banner's centre"
[ -f "$BEST" ] || fail "no best file at $BEST after the game over"
[ "$(head -n 1 "$BEST")" = "brimwold-best 1" ] || fail "best file starts with: $(head -n 1 "$BEST")"
grep -qx "zombies_felled 0" "$BEST" || fail "the best holds another count: $(cat "$BEST")"
grep -qx "milliseconds_survived [0-9][0-9]*" "$BEST" || fail "the best holds no time: $(cat "$BEST")"
[ "$(ls -A "$XDG_DATA_HOME/brimwold")" = "best" ] || fail "left beside the best: $(ls -A "$XDG_DATA_HOME/brimwold")"
[ ! -s "$ERR" ] || fail "warnings on a clean run"

overs="$(count_lines "Player life:0  Is gameover: yes")"
press KP_Enter
wait_for_line "Player life:100  Is gameover: false" 20 $(($(count_lines "Player life:100  Is gameover: false") + 3))
# From the frame of the new game on, every line is the first line again.
after="$(awk -v n="$overs" '/^Player life:0  Is gameover: yes/ { seen++; next } seen >= n && /^Player life:/' "$OUT" | sort -u)"
[ "$after" = "Player life:100  Is gameover: false" ] || fail "lines after the new game: $after"
shot new
expect_pixel new 100 204 255 0 0 "the full life bar"
expect_pixel new 160 204 255 0 0 "the right end of the full life bar"
expect_pixel new 640 360 149 72 25 "the cat back in the middle" 40

# The new world plays: a zombie enters after a second and the cat falls again in time.
wait_for_line "Player life:0  Is gameover: yes" 90 $((overs + 1))
quit_game
echo "ok: game over, best kept in $BEST, new game with keypad Enter, second game over, exit status 0"

#!/usr/bin/env bash
# The best-result file when it cannot be trusted or written: a damaged file is one warning
# at start and is replaced by a good one at the game over; with the folder's path taken by
# a file the game says so once and plays on, and a new game still starts.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/game.bash"
FOLDER="$XDG_DATA_HOME/brimwold"

# Damaged: not the game's format at all.
mkdir -p "$FOLDER"
printf 'zombies: lots\n' >"$FOLDER/best"
start_game
wait_for_frames 2
[ "$(wc -l <"$ERR")" -eq 1 ] || fail "expected one warning line for the damaged file"
grep -qF "$FOLDER/best" "$ERR" || fail "the warning does not name the file"
wait_for_game_over 90
[ "$(head -n 1 "$FOLDER/best")" = "brimwold-best 1" ] || fail "not replaced by a good file: $(cat "$FOLDER/best")"
[ "$(wc -l <"$ERR")" -eq 1 ] || fail "more warnings after the game over"
quit_game

# Blocked: the folder's path is a file.
rm -rf "$FOLDER"
printf 'in the way\n' >"$FOLDER"
start_game
wait_for_game_over 90
wait_for_frames 2
[ "$(wc -l <"$ERR")" -eq 1 ] || fail "expected one warning line for nowhere to write"
grep -qF "$FOLDER" "$ERR" || fail "the warning does not name the folder"
[ "$(cat "$FOLDER")" = "in the way" ] || fail "the file in the way was changed"
press Return
wait_for_line "Player life:100  Is gameover: false" 20 $(($(count_lines "Player life:100  Is gameover: false") + 3))
quit_game
echo "ok: damaged best replaced after one warning; blocked folder one warning, play went on"

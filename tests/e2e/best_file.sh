#!/usr/bin/env bash
# The best-result file when it cannot be trusted or written: a damaged file is one warning
# at start and is replaced by a good one at the game over; with the folder's path taken by
# a file, or the folder read-only, the game says so once and plays on, and a new game still starts.
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

# Read-only: the folder is there but may not be written in. Permissions do not stop root, so
# a game run as root gets the folder as a read-only bind mount instead, in a mount namespace
# of its own that ends with it: nothing stays mounted, even when this script fails.
rm -f "$FOLDER"
mkdir -p "$FOLDER"
readonly_case="a read-only folder"
if [ "$(id -u)" -ne 0 ]; then
  chmod 0500 "$FOLDER"
elif unshare -m true 2>/dev/null; then
  # shellcheck disable=SC2016
  START_THROUGH=(unshare -m sh -c 'mount --bind "$0" "$0" && mount -o remount,bind,ro "$0" && exec "$@"' "$FOLDER")
else
  echo "skipped: $readonly_case: running as root without the right to make a mount namespace"
  readonly_case=""
fi
if [ -n "$readonly_case" ]; then
  start_game
  START_THROUGH=()
  wait_for_game_over 90
  wait_for_frames 2
  [ "$(wc -l <"$ERR")" -eq 1 ] || fail "$readonly_case: expected one warning line for nowhere to write"
  grep -qF "$FOLDER" "$ERR" || fail "$readonly_case: the warning does not name the folder"
  [ -z "$(ls -A "$FOLDER")" ] || fail "$readonly_case: something was written: $(ls -A "$FOLDER")"
  press Return
  wait_for_line "Player life:100  Is gameover: false" 20 $(($(count_lines "Player life:100  Is gameover: false") + 3))
  echo "ok: $readonly_case: $(cat "$ERR")"
  quit_game
  chmod 0700 "$FOLDER"
fi
echo "ok: damaged best replaced after one warning; blocked and read-only folders one warning each, play went on"

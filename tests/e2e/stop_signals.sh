#!/usr/bin/env bash
# Ctrl+C (SIGINT) and a polite kill (SIGTERM) end the real program the way Escape does:
# the frame in progress still writes its whole status line, the program shuts down and
# exits with status 0. A second signal while it shuts down ends it at once.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# The game reads ../Ressources/ from its working directory.
mkdir "$WORK/run"
ln -s "$REPO/Ressources" "$WORK/Ressources"

# Starts the game and waits for its third frame. A script's background job inherits SIGINT
# ignored, and the game keeps an ignored signal ignored, so both get their default back.
start_game() {
  launch env -C "$WORK/run" --default-signal=INT,TERM "$BINARY"
  wait_for_line "Player life:" "$START_SECONDS" 3
}

for signal in INT TERM; do
  CASE="SIG$signal"
  start_game
  kill -s "$signal" "$GAME_PID"
  wait_for_game_end "SIG$signal"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, expected 0"
  [ -z "$(tail -c 1 "$OUT")" ] || fail "the last status line was cut short"
  last="$(tail -n 1 "$OUT")"
  [ "$last" = "Player life:100  Is gameover: false" ] || fail "last line: $last"
  echo "ok: SIG$signal ended the game after $(grep -c '^Player life:' "$OUT") frames, exit status 0"
done

# Both arrive before the loop can even finish its frame: the second one ends the process.
CASE="SIGINT then SIGTERM"
start_game
kill -s INT "$GAME_PID"
kill -s TERM "$GAME_PID"
wait_for_game_end "SIGINT and SIGTERM"
[ "$GAME_STATUS" -eq $((128 + 15)) ] || fail "exit status $GAME_STATUS, expected death by SIGTERM (143)"
echo "ok: a second signal during shutdown ended the process at once"

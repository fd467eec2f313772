#!/usr/bin/env bash
# Ctrl+C (SIGINT) and a polite kill (SIGTERM) end the real program the way Escape does:
# the frame in progress still writes its whole status line, the program shuts down and
# exits with status 0. A second signal while it shuts down ends it at once.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
fail() {
  echo "FAIL: $*"
  echo "--- stdout (last lines)"; tail -3 "$WORK/out"
  echo "--- stderr"; cat "$WORK/err"
  exit 1
}

# The game reads ../Ressources/ from its working directory.
mkdir "$WORK/run"
ln -s "$REPO/Ressources" "$WORK/Ressources"
cd "$WORK/run" || exit 1

# Starts the game and waits for its third frame. A script's background job inherits SIGINT
# ignored, and the game keeps an ignored signal ignored, so both get their default back.
start_game() {
  : >"$WORK/out"
  env --default-signal=INT,TERM "$BINARY" >"$WORK/out" 2>"$WORK/err" &
  GAME_PID=$!
  local deadline=$((SECONDS + 60))
  until [ "$(grep -c '^Player life:' "$WORK/out")" -ge 3 ]; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its third frame"
    [ "$SECONDS" -lt "$deadline" ] || fail "fewer than three status lines within 60 s"
    sleep 0.05
  done
}

for signal in INT TERM; do
  start_game
  kill -s "$signal" "$GAME_PID"
  wait_for_game_end "SIG$signal"
  [ "$GAME_STATUS" -eq 0 ] || fail "SIG$signal: exit status $GAME_STATUS, expected 0"
  [ -z "$(tail -c 1 "$WORK/out")" ] || fail "SIG$signal: the last status line was cut short"
  last="$(tail -n 1 "$WORK/out")"
  [ "$last" = "Player life:100  Is gameover: false" ] || fail "SIG$signal: last line: $last"
  echo "ok: SIG$signal ended the game after $(grep -c '^Player life:' "$WORK/out") frames, exit status 0"
done

# Both arrive before the loop can even finish its frame: the second one ends the process.
start_game
kill -s INT "$GAME_PID"
kill -s TERM "$GAME_PID"
wait_for_game_end "SIGINT and SIGTERM"
[ "$GAME_STATUS" -eq $((128 + 15)) ] || fail "SIGINT then SIGTERM: exit status $GAME_STATUS, expected death by SIGTERM (143)"
echo "ok: a second signal during shutdown ended the process at once"

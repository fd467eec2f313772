# Shared start of the end-to-end scripts (sourced, not run as a test): the program
# and repository from the arguments, a scratch folder removed at exit, the game
# process killed at exit if still running, and an X server of the script's own.
BINARY="$(realpath "$1")"
REPO="$(realpath "$2")"
WORK="$(mktemp -d)"
GAME_PID=""
XVFB_PID=""

cleanup() {
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Every script gets a private Xvfb, even when a display is set: scripts running side by
# side must not see each other's windows, pointer or keys. The server picks a free display
# number itself and writes it to file descriptor 3 once it accepts clients, so two scripts
# starting at the same moment cannot choose the same one.
start_private_display() {
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1920x1080x24 3>"$WORK/display" >/dev/null 2>"$WORK/xvfb.err" &
  XVFB_PID=$!
  local deadline=$((SECONDS + 20))
  until grep -q '^[0-9][0-9]*$' "$WORK/display" 2>/dev/null; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "FAIL: no private X server"
      cat "$WORK/xvfb.err"
      exit 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  # An outer session's cookie file holds nothing for this server.
  unset XAUTHORITY
}
start_private_display

# Presses and releases Escape (keyboard focus follows the pointer, so keep it in the
# window), waits up to 20 s for the game to end and fails unless it exits with status 0.
quit_with_escape() {
  xdotool keydown Escape
  sleep 0.1
  xdotool keyup Escape
  wait_for_game_end "Escape"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
}

# Waits up to 20 s for the game to end after $1 (what should end it), fails if it does
# not, and sets GAME_STATUS to its exit status.
wait_for_game_end() {
  local deadline=$((SECONDS + 20))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "still running 20 s after $1"
    sleep 0.05
  done
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
}

# Shared start of the end-to-end scripts (sourced, not run as a test): the program
# and repository from the arguments, a scratch folder removed at exit, the game
# process killed at exit if still running, and an X display of its own when none is set.
BINARY="$(realpath "$1")"
REPO="$(realpath "$2")"
WORK="$(mktemp -d)"
GAME_PID=""
XVFB_PID=""

cleanup() {
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

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

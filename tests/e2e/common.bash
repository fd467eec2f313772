# Shared start of the end-to-end scripts (sourced, not run as a test): the program
# and repository from the arguments, a scratch folder removed at exit, the program under
# test killed at exit if still running, an X server of the script's own, and the helpers
# every script starts, waits and fails with.
#
# A loaded machine (CI runs the suite two at a time on two cores) can be many times slower
# than a quiet one, so nothing waits a fixed time: every wait follows an event (a line
# written, a window shown, a picture drawn, a process ended) under a generous deadline.
BINARY="$(realpath "$1")"
REPO="$(realpath "$2")"
WORK="$(mktemp -d)"
GAME_PID=""
XVFB_PID=""
# The output files of the latest start (see launch), what the latest wait was for, and
# the case a script is at; a failure reports all three.
OUT=""
ERR=""
WAITED_FOR=""
CASE=""
# A file a script's failure should show the end of (a build log, say).
LOG=""
STARTS=0
# Deadlines in seconds: a start (a sanitizer build on a loaded machine is slow), and any
# other event.
START_SECONDS=120
EVENT_SECONDS=60

cleanup() {
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Every script gets a private Xvfb, even when a display is set: scripts running side by
# side must not see each other's windows, pointer or keys. The server picks a free display
# number itself and writes it to file descriptor 3 once it accepts clients, so two scripts
# starting at the same moment cannot choose the same one. Without -noreset the server resets
# whenever its last client leaves (between two starts of a program), and a program that
# connects during the reset loses its display.
start_private_display() {
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1920x1080x24 3>"$WORK/display" >/dev/null 2>"$WORK/xvfb.err" &
  XVFB_PID=$!
  local deadline=$((SECONDS + EVENT_SECONDS))
  until grep -q '^[0-9][0-9]*$' "$WORK/display" 2>/dev/null; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ "$SECONDS" -ge "$deadline" ]; then
      echo "FAIL: no private X server within $EVENT_SECONDS s"
      cat "$WORK/xvfb.err"
      exit 1
    fi
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$WORK/display")"
  # An outer session's cookie file holds nothing for this server.
  unset XAUTHORITY
  # Only this server: SDL would otherwise fall back to its offscreen driver whenever it
  # cannot reach the display, and the failure would read as GLEW's instead of SDL's.
  export SDL_VIDEODRIVER=x11
}
start_private_display

# Reports a failure with what is needed to understand it without a rerun, and exits 1:
# the message, the event last waited for, the program's output (lines other than the
# game's status lines, then its last lines), its standard error, the windows on the
# display, and the screenshots taken, copied where they outlive the scratch folder.
fail() {
  echo "FAIL${CASE:+ ($CASE)}: $*"
  [ -n "$WAITED_FOR" ] && echo "--- last waited for: $WAITED_FOR"
  if [ -n "$OUT" ] && [ -f "$OUT" ]; then
    echo "--- stdout ($(grep -c '^Player life:' "$OUT") status lines): other lines, then the last 3"
    grep -v '^Player life:' "$OUT" | head -n 20
    echo "..."
    tail -n 3 "$OUT"
  fi
  [ -n "$ERR" ] && [ -f "$ERR" ] && { echo "--- stderr"; head -n 40 "$ERR"; }
  [ -n "$LOG" ] && [ -f "$LOG" ] && { echo "--- $(basename "$LOG") (last 30 lines)"; tail -n 30 "$LOG"; }
  echo "--- windows on the display: $(window_titles)"
  local shots
  shots="$(find "$WORK" -maxdepth 1 \( -name '*.png' -o -name '*.bmp' \) 2>/dev/null)"
  if [ -n "$shots" ]; then
    local kept
    kept="$(mktemp -d "${TMPDIR:-/tmp}/e2e-$(basename "$0" .sh).XXXXXX")"
    # shellcheck disable=SC2086
    cp $shots "$kept/"
    echo "--- screenshots kept in $kept: $(cd "$kept" && echo *)"
  fi
  exit 1
}

# Titles of the visible windows on the private display, quoted, for a failure's report.
window_titles() {
  local id name titles=""
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    name="$(xdotool getwindowname "$id" 2>/dev/null)"
    [ -n "$name" ] && titles+="\"$name\" "
  done
  echo "${titles:-none}"
}

# Starts a program in the background with its own fresh, empty OUT and ERR files, made
# before it runs: a wait can never read what an earlier start wrote. Sets GAME_PID.
# Arguments: the command; `env -C DIR` runs it in another folder, `env --default-signal=INT,TERM`
# gives back the signals a script's background job inherits ignored.
launch() {
  STARTS=$((STARTS + 1))
  OUT="$WORK/out.$STARTS"
  ERR="$WORK/err.$STARTS"
  : >"$OUT"
  : >"$ERR"
  "$@" </dev/null >"$OUT" 2>"$ERR" &
  GAME_PID=$!
}

# Runs a program to its end, with fresh OUT and ERR files; one that hangs is killed after
# $1 seconds. Sets STATUS.
run_to_end() {
  local seconds="$1"
  shift
  STARTS=$((STARTS + 1))
  OUT="$WORK/out.$STARTS"
  ERR="$WORK/err.$STARTS"
  : >"$OUT"
  : >"$ERR"
  timeout -s KILL "$seconds" "$@" </dev/null >"$OUT" 2>"$ERR"
  STATUS=$?
}

# Polls a command until it succeeds. Fails, naming $1 (what is awaited), when $2 seconds
# pass or when the program under test ends first (and the command still fails then).
# Arguments: what, seconds, the command.
wait_until() {
  WAITED_FOR="$1 (up to $2 s)"
  local deadline=$((SECONDS + $2))
  shift 2
  until "$@"; do
    if [ -n "$GAME_PID" ] && ! kill -0 "$GAME_PID" 2>/dev/null; then
      "$@" && break
      fail "the program ended first"
    fi
    [ "$SECONDS" -lt "$deadline" ] || fail "not within the deadline"
    sleep 0.05
  done
}

# At least $2 (default 1) lines of OUT hold the fixed string $1.
has_lines() { [ "$(grep -cF -- "$1" "$OUT")" -ge "${2:-1}" ]; }

# Waits until OUT holds at least $3 (default 1) lines with the fixed string $1, for at most
# $2 seconds.
wait_for_line() {
  wait_until "${3:-1} line(s) holding \"$1\"" "$2" has_lines "$1" "${3:-1}"
}

# Waits for a visible window titled as the regular expression $1 (the display is the
# script's own, so it is the program's) and sets WINDOW to its id.
wait_for_window() {
  WINDOW=""
  wait_until "a window titled /$1/" "$START_SECONDS" find_window "$1"
}
find_window() {
  WINDOW="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)"
  [ -n "$WINDOW" ]
}

# Presses and releases Escape (keyboard focus follows the pointer, so keep it in the
# window), waits for the program to end and fails unless it exits with status 0.
quit_with_escape() {
  xdotool keydown Escape
  sleep 0.1
  xdotool keyup Escape
  wait_for_game_end "Escape"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
}

# Waits for the program to end after $1 (what should end it), fails if it does not, and
# sets GAME_STATUS to its exit status.
wait_for_game_end() {
  wait_until "the program's end after $1" "$EVENT_SECONDS" program_ended
  wait "$GAME_PID"
  GAME_STATUS=$?
  GAME_PID=""
}
program_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# Runs a program where no window with an OpenGL 3.3 context can be had, each way in turn:
# it must write exactly SDL's reason and then its own closing line ($1) on stderr, nothing
# on stdout (it ran nothing else), and exit with status 1, never hang or crash.
# Arguments: the closing line, the command.
expect_refused_without_gl() {
  local closing="$1" setting reason
  shift
  # case | environment | SDL's line, in part
  while IFS='|' read -r CASE setting reason; do
    run_to_end "$START_SECONDS" env "$setting" "$@"
    [ "$STATUS" -eq 1 ] || fail "exit status $STATUS, expected 1"
    [ ! -s "$OUT" ] || fail "it wrote on stdout"
    [ "$(wc -l <"$ERR")" -eq 2 ] || fail "not two lines on stderr"
    [[ "$(head -n 1 "$ERR")" == "$reason"?* ]] || fail "first line is not SDL's reason: \"$reason...\""
    [ "$(tail -n 1 "$ERR")" = "$closing" ] || fail "last line is not \"$closing\""
    echo "ok: $CASE: $(head -n 1 "$ERR")"
  done <<EOF_CASES
no GL library|SDL_OPENGL_LIBRARY=/nonexistent/libGL.so.1|SDL could not create the window! SDL Error: Failed loading /nonexistent/libGL.so.1
no OpenGL 3.3 context|MESA_GL_VERSION_OVERRIDE=3.0|SDL could not create the OpenGL context! SDL Error: 
EOF_CASES
  CASE=""
}

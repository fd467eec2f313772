# Shared helpers of the end-to-end scripts that play the game (sourced after common.bash):
# starts of the game with fresh output files each, waits on its output with deadlines,
# screenshots and pixel checks. A failure names what was waited for and what was seen,
# with the start's stderr and the screenshots taken so far.

# The game reads ../Ressources/ from its working directory; its user folders are kept
# inside the scratch folder, so no run sees another's best result or settings.
mkdir -p "$WORK/run" "$WORK/shots"
ln -s "$REPO/Ressources" "$WORK/Ressources"
export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config"
# A test machine seldom has a sound card: SDL's silent driver keeps stderr for the game's
# own warnings. Starts that test sound name another driver.
export SDL_AUDIODRIVER=dummy
START=0
OUT=""
ERR=""
# A command the next starts run the game through (a script sets it, say, to run the game in
# a namespace of its own); it must end by running what follows it, in the same process.
START_THROUGH=()

fail() {
  echo "FAIL: $*"
  if [ -n "$OUT" ]; then
    echo "--- stdout of start $START (other than status lines, last 20)"; grep -v "^Player life:" "$OUT" | tail -20
    echo "--- its last status lines"; grep "^Player life:" "$OUT" | tail -3
    echo "--- stderr of start $START"; cat "$ERR"
  fi
  echo "--- screenshots: $(ls "$WORK/shots" 2>/dev/null | tr '\n' ' ')(kept in \$E2E_SHOTS_DIR when set)"
  exit 1
}

# Starts the game with the arguments given as environment assignments ("VAR=value"),
# writing to new files out.N and err.N made before the launch; waits for its first
# status line and its window, and sets X, Y, WIDTH and HEIGHT to the window's geometry.
start_game() {
  START=$((START + 1))
  OUT="$WORK/out.$START"
  ERR="$WORK/err.$START"
  : >"$OUT"
  : >"$ERR"
  (cd "$WORK/run" && exec "${START_THROUGH[@]}" env "$@" "$BINARY" >"$OUT" 2>"$ERR") &
  GAME_PID=$!
  # A sanitizer build starts far slower than a release build.
  wait_for_line "Player life:" 60
  local deadline=$((SECONDS + 20)) wid=""
  until wid="$(xdotool search --name '^Brimwold$' 2>/dev/null | head -n 1)" && [ -n "$wid" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no window titled Brimwold within 20 s"
    sleep 0.1
  done
  WID="$wid"
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  # Keyboard focus follows the pointer: keep it in the window, away from the cat's path.
  xdotool mousemove $((X + 1100)) $((Y + 100))
}

# Counts the lines of this start's stdout that hold the fixed string $1.
count_lines() { grep -cF -- "$1" "$OUT"; }

# Waits until this start's stdout has at least $3 (default 1) lines holding the fixed
# string $1, for at most $2 seconds.
wait_for_line() {
  local deadline=$((SECONDS + $2)) wanted="${3:-1}"
  until [ "$(count_lines "$1")" -ge "$wanted" ]; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for $wanted lines \"$1\""
    [ "$SECONDS" -lt "$deadline" ] || fail "not $wanted lines \"$1\" within $2 s (seen $(count_lines "$1"))"
    sleep 0.05
  done
}

# Waits for $1 more status lines than there are now: a frame's line is written before the
# frame is drawn, so two more mean that the frame of now is on screen.
wait_for_frames() { wait_for_line "Player life:" 30 $(($(count_lines "Player life:") + $1)); }

# Presses and releases key $1 (an X key name), with the pointer kept in the window.
press() {
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
}

# Screenshot $1 of the whole screen (the window is at X, Y).
shot() {
  import -window root "$WORK/shots/$1.png" || fail "no screenshot $1"
  [ -n "${E2E_SHOTS_DIR:-}" ] && cp "$WORK/shots/$1.png" "$E2E_SHOTS_DIR/"
  return 0
}

# The colour "r g b" of window pixel ($2, $3) in screenshot $1.
pixel() {
  local x=$((X + $2)) y=$((Y + $3))
  convert "$WORK/shots/$1.png" -format \
    "%[fx:round(255*p{$x,$y}.r)] %[fx:round(255*p{$x,$y}.g)] %[fx:round(255*p{$x,$y}.b)]" info:
}

# Asserts that window pixel ($2, $3) of screenshot $1 is within $8 (default 8) of colour
# ($4, $5, $6) on every channel; $7 names what should be there.
expect_pixel() {
  local r g b tolerance="${8:-8}"
  read -r r g b <<<"$(pixel "$1" "$2" "$3")"
  local dr=$((r - $4)) dg=$((g - $5)) db=$((b - $6))
  [ "${dr#-}" -le "$tolerance" ] && [ "${dg#-}" -le "$tolerance" ] && [ "${db#-}" -le "$tolerance" ] ||
    fail "$1 ($2, $3) is ($r, $g, $b), expected $7 ($4, $5, $6)"
}

# The number of pixels that differ between screenshots $1 and $2 inside the window area
# "WxH+X+Y" $3 (window coordinates).
pixels_differing() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$3"
  local crop="${w}x${h}+$((X + x))+$((Y + y))"
  convert "$WORK/shots/$1.png" -crop "$crop" +repage "$WORK/crop_a.png" &&
    convert "$WORK/shots/$2.png" -crop "$crop" +repage "$WORK/crop_b.png" || fail "cannot crop $1 and $2"
  # compare answers 1 when the pictures differ; the count goes to stderr.
  compare -metric AE "$WORK/crop_a.png" "$WORK/crop_b.png" null: 2>&1 | cut -d' ' -f1
}

# Waits until the game is over: its status line reads so, and two frames later it is on screen.
wait_for_game_over() {
  wait_for_line "Player life:0  Is gameover: yes" "$1"
  wait_for_line "Player life:0  Is gameover: yes" 20 3
}

# Ends this start with Escape and checks its exit status.
quit_game() {
  xdotool mousemove $((X + 1100)) $((Y + 100))
  quit_with_escape
}

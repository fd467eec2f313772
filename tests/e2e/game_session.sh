#!/usr/bin/env bash
# One game of the real program under X, driven with xdotool: the first status line,
# the first zombie shot down with two blows, a game left alone until the cat falls and
# the banner shows, then Escape ends the process with status 0. Screenshots are checked
# at a few pixels; set E2E_SHOTS_DIR to keep them.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# The game reads ../Ressources/ from its working directory.
mkdir "$WORK/run"
ln -s "$REPO/Ressources" "$WORK/Ressources"
launch env -C "$WORK/run" "$BINARY"

# A sanitizer build starts far slower than a release build.
wait_for_line "Player life:" "$START_SECONDS"
[ "$(head -n 1 "$OUT")" = "Player life:100  Is gameover: false" ] || fail "first line: $(head -n 1 "$OUT")"

wait_for_window '^Brimwold$'
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "$WIDTH" = 1280 ] && [ "$HEIGHT" = 720 ] || fail "window is ${WIDTH}x${HEIGHT}"

# Window pixel of the world point (x, 0.1, z): the camera 19.9 units above that plane maps
# world x to window x (640 px per 19.9 units) and world z to window y (1.7320508 x 360 px per 19.9).
world_to_window() {
  awk -v x="$1" -v z="$2" 'BEGIN { printf "%d %d", 640 + x * 640 / 19.9, 360 + z * 1.7320508 * 360 / 19.9 }'
}
point_at() { xdotool mousemove $((X + $1)) $((Y + $2)); }
# Screenshots are taken uncompressed: on a loaded machine, compressing a PNG can take longer
# than the zombie's walk to the cat.
shot() {
  import -window root "$WORK/$1.bmp" || fail "no screenshot"
  if [ -n "${E2E_SHOTS_DIR:-}" ]; then convert "$WORK/$1.bmp" "$E2E_SHOTS_DIR/$1.png"; fi
}
# Asserts that window pixel ($2, $3) of screenshot $1 is within $8 (default 8) of colour
# ($4, $5, $6) on every channel; $7 names what should be there.
expect_pixel() {
  local shot="$1" x=$((X + $2)) y=$((Y + $3)) tolerance="${8:-8}" actual
  actual="$(convert "$WORK/$shot.bmp" -format \
    "%[fx:round(255*p{$x,$y}.r)] %[fx:round(255*p{$x,$y}.g)] %[fx:round(255*p{$x,$y}.b)]" info:)"
  read -r r g b <<<"$actual"
  local dr=$((r - $4)) dg=$((g - $5)) db=$((b - $6))
  [ "${dr#-}" -le "$tolerance" ] && [ "${dg#-}" -le "$tolerance" ] && [ "${db#-}" -le "$tolerance" ] ||
    fail "screenshot $shot.bmp, window pixel ($2, $3) is ($r, $g, $b), expected $7 ($4, $5, $6)"
}

# The first zombie enters at (-6, 0.1, 10) (the unseeded rand(): border 3, place 4) after one
# second and walks straight at the cat: any point of that path is on the aim ray when it comes.
# The game runs in real time and a loaded machine delays every step of this script, so the
# button is held at once, before anything slow: aimed at nothing the weapon does not fire,
# and whenever the zombie comes onto the ray, early or late in its walk, it is struck there.
read -r AIM_X AIM_Y <<<"$(world_to_window -3 5)"
point_at "$AIM_X" "$AIM_Y"
xdotool mousedown 1
# A frame's line is written before it is drawn: two more lines mean it is on screen. The
# blow line may be drawn by then or not; it lies under the cat and away from the pixels read.
wait_for_line "Player life:" "$EVENT_SECONDS" 3
shot start
wait_for_line "health before: 50   after: 0" "$EVENT_SECONDS"
xdotool mouseup 1
expect_pixel start 200 600 51 51 51 "the clear colour left of the floor"
expect_pixel start 1180 400 51 51 51 "the clear colour right of the floor"
expect_pixel start 100 204 255 0 0 "the full life bar"
expect_pixel start 160 204 255 0 0 "the right end of the full life bar"
expect_pixel start 100 100 216 135 57 "the avatar's face"
# The sprite's centre texel, whichever way the cat faces; filtering blends its stripes a little.
expect_pixel start 640 360 149 72 25 "the cat at the centre" 40
# The zombie's two blows, in order. On a loaded machine the button can come late enough for
# the zombie to strike the cat first (100 to 90, and so on): those lines are not the zombie's.
blows="$(grep -xE "health before: (100   after: 50|50   after: 0)" "$OUT" | head -n 2 | tr '\n' '|')"
[ "$blows" = "health before: 100   after: 50|health before: 50   after: 0|" ] || fail "the zombie's blows: $blows"

# Left alone, the zombies that follow strike the cat down.
point_at 1100 100
wait_for_line "Player life:0  Is gameover: yes" 90
wait_for_line "Player life:0  Is gameover: yes" "$EVENT_SECONDS" 3
shot over
expect_pixel over 640 360 102 14 16 "the banner's centre"
expect_pixel over 1200 400 51 51 51 "the clear colour right of the banner"
expect_pixel over 40 204 255 0 0 "the left end of the shortened bar"
expect_pixel over 100 204 51 51 51 "where the full bar reached"
last="$(tail -n 1 "$OUT")"
[ "$last" = "Player life:0  Is gameover: yes" ] || fail "last line after the end: $last"

quit_with_escape
echo "ok: $(grep -c '^Player life:' "$OUT") frames, zombie shot down, game over shown, exit status 0"

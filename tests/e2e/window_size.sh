#!/usr/bin/env bash
# A 900 x 900 window: the 1280 x 720 picture scaled to 900 x 506 and centred, with black bars
# above and below; the floor whole, centred and in proportion; the pointer aims through the
# letterbox. No window manager runs here: the window is resized as a user's would be, from
# outside, and the game follows the size change. Set E2E_SHOTS_DIR to keep the screenshots.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/game.bash"

# The picture in a 900 x 900 window, derived by hand: 900 / 1280 of its size both ways,
# 900 x 506.25 rounded, (900 - 506) / 2 = 197 rows of bar above it and below it.
SIDE=900
TOP=197
PICTURE_HEIGHT=506

# Window pixel of picture pixel ($1, $2) (its middle) in the 900 x 900 window.
scaled() {
  awk -v x="$1" -v y="$2" -v top="$TOP" -v w="$SIDE" -v h="$PICTURE_HEIGHT" \
    'BEGIN { printf "%d %d", (x + 0.5) * w / 1280, top + (y + 0.5) * h / 720 }'
}

# "index r g b" for each pixel of screenshot $1 along window area $2 ("WxH+X+Y", one row or
# one column), the index counted in window pixels; $3 = "reverse" walks it from its far end.
line_of() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$2"
  convert "$WORK/window.$1.bmp" -crop "${w}x${h}+$x+$y" +repage -depth 8 txt:- |
    awk -F'[:,() ]+' -v x="$x" -v y="$y" -v w="$w" \
      'NR > 1 { print (w > 1 ? x + $1 : y + $2), $3, $4, $5 }' |
    if [ "${3:-}" = reverse ]; then tac; else cat; fi
}

# The first window pixel along the line (arguments as line_of) that is not the clear colour:
# the floor's edge, or a sprite's standing over it. Empty when there is none.
first_not_clear() {
  line_of "$@" | awk '$2 != 51 || $3 != 51 || $4 != 51 { print $1; exit }'
}

# Screenshot $1, and the window's part of it cut out, uncompressed, as lines of it are read often.
window_shot() {
  shot "$1"
  convert "$WORK/shots/$1.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$WORK/window.$1.bmp" ||
    fail "cannot cut the window out of screenshot $1"
}

# Fails unless the floor edge found at $2 in the 900 x 900 picture is within 2 pixels of $3,
# where the edge found in the design picture puts it; $1 says which edge.
expect_edge() {
  [ -n "$2" ] && [ -n "$3" ] && [ "$(($2 - $3))" -le 2 ] && [ "$(($3 - $2))" -le 2 ] ||
    fail "$1: at ${2:-none} in the 900 x 900 window, expected ${3:-?} from the 1280 x 720 picture"
}

start_game
# Frozen, the world is the same in both pictures, zombies and all: every edge, a sprite's
# standing over the floor's border too, must land where the design picture puts it, scaled.
press p
wait_for_frames 3
window_shot design

xdotool windowsize "$WID" "$SIDE" "$SIDE"
window_is_square() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  [ "$WIDTH" = "$SIDE" ] && [ "$HEIGHT" = "$SIDE" ]
}
deadline=$((SECONDS + 30))
until window_is_square; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the window is ${WIDTH}x${HEIGHT} 30 s after the resize, not ${SIDE}x${SIDE}"
  sleep 0.05
done
wait_for_frames 3
window_shot square

# Bars of pure black above and below the picture, and the picture's own clear colour in its
# first and last rows, from edge to edge.
for bar in "${SIDE}x${TOP}+0+0" "${SIDE}x${TOP}+0+$((TOP + PICTURE_HEIGHT))"; do
  IFS='x+' read -r w h x y <<<"$bar"
  brightest="$(convert "$WORK/shots/square.png" -crop "${w}x${h}+$((X + x))+$((Y + y))" +repage \
    -format "%[fx:round(255*maxima)]" info:)"
  [ "$brightest" = 0 ] || fail "the bar $bar is not black (brightest channel $brightest)"
done
for corner in "2 $TOP" "$((SIDE - 3)) $TOP" "2 $((TOP + PICTURE_HEIGHT - 1))" "$((SIDE - 3)) $((TOP + PICTURE_HEIGHT - 1))"; do
  read -r x y <<<"$corner"
  expect_pixel square "$x" "$y" 51 51 51 "the picture's clear colour at its corner" 0
done
# The cat at the centre of both.
expect_pixel square 450 450 149 72 25 "the cat at the centre" 40

# The floor's four edges along rows and columns across it, where the centred picture scaled by
# 900 / 1280 both ways puts them. Rows are walked from beside the avatar and the life bar
# (x 200) and from left of the corner's text (x 990) towards the middle.
for row in 100 250 360 470 620; do
  read -r _ y <<<"$(scaled 0 "$row")"
  left="$(first_not_clear design "440x1+200+$row")"
  right="$(first_not_clear design "350x1+640+$row" reverse)"
  read -r want_left _ <<<"$(scaled "${left:-0}" "$row")"
  read -r want_right _ <<<"$(scaled "${right:-0}" "$row")"
  expect_edge "left edge, picture row $row" "$(first_not_clear square "$((SIDE / 2 - 140))x1+140+$y")" "$want_left"
  expect_edge "right edge, picture row $row" "$(first_not_clear square "246x1+450+$y" reverse)" "$want_right"
done
for column in 360 500 640 780 920; do
  read -r x _ <<<"$(scaled "$column" 0)"
  top="$(first_not_clear design "1x360+$column+0")"
  bottom="$(first_not_clear design "1x360+$column+360" reverse)"
  read -r _ want_top <<<"$(scaled "$column" "${top:-0}")"
  read -r _ want_bottom <<<"$(scaled "$column" "${bottom:-0}")"
  expect_edge "top edge, picture column $column" "$(first_not_clear square "1x253+$x+$TOP")" "$want_top"
  expect_edge "bottom edge, picture column $column" "$(first_not_clear square "1x253+$x+450" reverse)" "$want_bottom"
done
# Aim: the first zombie's path (world (-3, 5), as in game_session.sh) through the letterbox.
# The button is held before the world moves on, so the zombie is struck wherever it is then.
read -r aim_x aim_y <<<"$(awk 'BEGIN { printf "%d %d", 640 - 3 * 640 / 19.9, 360 + 5 * 1.7320508 * 360 / 19.9 }')"
read -r aim_x aim_y <<<"$(scaled "$aim_x" "$aim_y")"
xdotool mousemove $((X + aim_x)) $((Y + aim_y))
xdotool mousedown 1
press p
wait_for_line "health before: 50   after: 0" 60
xdotool mouseup 1
blows="$(grep -xE "health before: (100   after: 50|50   after: 0)" "$OUT" | head -n 2 | tr '\n' '|')"
[ "$blows" = "health before: 100   after: 50|health before: 50   after: 0|" ] || fail "the zombie's blows: $blows"

# Escape goes to the window under the pointer.
xdotool mousemove $((X + SIDE - 50)) $((Y + 50))
quit_with_escape
echo "ok: letterboxed 900 x 506 picture between black bars, floor scaled in place, aimed through the bars"

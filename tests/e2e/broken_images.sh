#!/usr/bin/env bash
# Images missing, unreadable or in a format the loader refuses: the engine reports each,
# and the game still starts, plays with those drawn untextured and quits on Escape.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
fail() { echo "FAIL: $*"; echo "--- stdout"; grep -v "^Player life:" "$WORK/out" | head -20; echo "--- stderr"; cat "$WORK/err"; exit 1; }

# The shaders are intact; of the images, two are missing, one is not an image at all, one
# is cut off after its first few hundred bytes and the banner is an 8-bit palette image.
mkdir -p "$WORK/run" "$WORK/Ressources/maps"
cp "$REPO"/Ressources/*.vert "$REPO"/Ressources/*.frag "$WORK/Ressources/"
printf 'not a png' >"$WORK/Ressources/cat_01.png"
head -c 300 "$REPO/Ressources/zombie01.png" >"$WORK/Ressources/zombie01.png"
convert -size 16x16 xc:red "PNG8:$WORK/Ressources/gameover.png" || fail "cannot write the palette image"

cd "$WORK/run" || exit 1
: >"$WORK/out"
"$BINARY" >"$WORK/out" 2>"$WORK/err" &
GAME_PID=$!

deadline=$((SECONDS + 60))
until [ "$(grep -c "^Player life:" "$WORK/out")" -ge 30 ]; do
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
  [ "$SECONDS" -lt "$deadline" ] || fail "fewer than 30 status lines within 60 s"
  sleep 0.1
done
[ "$(grep "^Player life:" "$WORK/out" | head -n 1)" = "Player life:100  Is gameover: false" ] || fail "first status line"
# One line per texture that did not load (the cat, 100 zombies, the floor, the avatar)
# and one for the banner's refused format.
errors="$(grep -c "^ERROR: Ovra: Texture: " "$WORK/out")"
[ "$errors" -eq 104 ] || fail "$errors texture error lines, expected 104"
grep -qxF "ERROR: Ovra: Texture: Unable to load image's format (../Ressources/gameover.png):8" "$WORK/out" ||
  fail "the palette banner was not refused"

WID="$(xdotool search --name '^Brimwold$' | head -n 1)"
[ -n "$WID" ] || fail "no window titled Brimwold"
eval "$(xdotool getwindowgeometry --shell "$WID")"
xdotool mousemove $((X + 1000)) $((Y + 600))
quit_with_escape
echo "ok: started and quit with status 0 despite $errors unloadable images"

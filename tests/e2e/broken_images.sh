#!/usr/bin/env bash
# Images missing, unreadable or in a format the loader refuses: the engine reports each,
# and the game still starts, plays with those drawn untextured and quits on Escape.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# The shaders are intact; of the images, two are missing, one is not an image at all, one
# is cut off after its first few hundred bytes and the banner is an 8-bit palette image.
mkdir -p "$WORK/run" "$WORK/Ressources/maps"
cp "$REPO"/Ressources/*.vert "$REPO"/Ressources/*.frag "$WORK/Ressources/"
printf 'not a png' >"$WORK/Ressources/cat_01.png"
head -c 300 "$REPO/Ressources/zombie01.png" >"$WORK/Ressources/zombie01.png"
convert -size 16x16 xc:red "PNG8:$WORK/Ressources/gameover.png" || fail "cannot write the palette image"

launch env -C "$WORK/run" "$BINARY"
wait_for_line "Player life:" "$START_SECONDS" 30
[ "$(grep "^Player life:" "$OUT" | head -n 1)" = "Player life:100  Is gameover: false" ] || fail "first status line"
# One line per texture that did not load (the cat, 100 zombies, the floor, the avatar)
# and one for the banner's refused format.
errors="$(grep -c "^ERROR: Ovra: Texture: " "$OUT")"
[ "$errors" -eq 104 ] || fail "$errors texture error lines, expected 104"
grep -qxF "ERROR: Ovra: Texture: Unable to load image's format (../Ressources/gameover.png):8" "$OUT" ||
  fail "the palette banner was not refused"

wait_for_window '^Brimwold$'
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
xdotool mousemove $((X + 1000)) $((Y + 600))
quit_with_escape
echo "ok: started and quit with status 0 despite $errors unloadable images"

#!/usr/bin/env bash
# The viewer on models of every kind the import reads: each screenshot shows the model framed
# (clear of the edges, filling a good part of the height) in its own colours; missing textures,
# empty scenes and broken files are reported as they should be, never with a crash.
# Arguments: ovra_viewer, repository.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.bash"
MODELS="$REPO/tests/e2e/viewer/models"

# Runs the viewer from an unrelated folder, writing a screenshot SHOT of its own; a hang is
# killed (sanitizer builds are slow).
shoot() {
  SHOT="$WORK/shot$((STARTS + 1)).png"
  run_to_end "$START_SECONDS" env -C "$WORK/elsewhere" "$BINARY" "$1" --screenshot "$SHOT"
  ! grep -q "Sanitizer" "$ERR" || fail "sanitizer report"
  [ "$STATUS" -lt 128 ] || fail "killed by signal $((STATUS - 128))"
}

# "r g b" of one pixel, 0..255.
pixel() {
  convert "$SHOT" -crop "1x1+$1+$2" -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# The model's box in the screenshot: everything that differs from the background.
model_box() { convert "$SHOT" -fuzz 4% -format '%@' info:; }

expect_framed() {
  [ "$(identify -format '%wx%h' "$SHOT")" = "960x540" ] || fail "screenshot size"
  local box w h x y
  box="$(model_box)"
  IFS='x+' read -r w h x y <<<"$box"
  [ "$x" -gt 2 ] && [ "$y" -gt 2 ] && [ $((x + w)) -lt 958 ] && [ $((y + h)) -lt 538 ] || fail "model cut by an edge: $box"
  [ "$h" -gt 190 ] || fail "model too small to be framed: $box"
  [ "$(pixel 3 3)" = "51 51 51" ] || fail "background $(pixel 3 3)"
}

# Colour classes of the pixel at the middle of the model's box.
expect_colour() {
  local box w h x y r g b
  box="$(model_box)"
  IFS='x+' read -r w h x y <<<"$box"
  read -r r g b <<<"$(pixel $((x + w / 2)) $((y + h / 2)))"
  case "$1" in
    wood) [ "$r" -gt $((b + 50)) ] && [ "$g" -gt $((b + 15)) ] || fail "not wood: $r $g $b" ;;
    blue) [ "$b" -gt $((r + 60)) ] && [ "$b" -gt $((g + 60)) ] || fail "not blue: $r $g $b" ;;
    grey) [ "$r" -gt 90 ] && [ $((r - g)) -le 8 ] && [ $((g - r)) -le 8 ] && [ $((r - b)) -le 8 ] &&
          [ $((b - r)) -le 8 ] || fail "not light grey: $r $g $b" ;;
  esac
}

mkdir -p "$WORK/elsewhere"

# file | colour at the model's middle
while IFS='|' read -r file colour; do
  CASE="$file"
  shoot "$file"
  [ "$STATUS" -eq 0 ] || fail "exit status $STATUS"
  expect_framed
  expect_colour "$colour"
  ! grep -q "ERROR" "$OUT" || fail "error line"
  echo "ok: $CASE"
done <<EOF_CASES
$REPO/examples/crate/crate.obj|wood
$MODELS/cube.gltf|blue
$MODELS/cube.ply|grey
$MODELS/far_tetrahedron.stl|grey
EOF_CASES

CASE="texture missing beside the model"
mkdir -p "$WORK/bare"
cp "$REPO/examples/crate/crate.obj" "$REPO/examples/crate/crate.mtl" "$WORK/bare/"
shoot "$WORK/bare/crate.obj"
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS"
grep -q "^ERROR: Ovra: Texture: .*crate.png" "$OUT" || fail "no texture error line"
expect_framed
expect_colour grey
echo "ok: $CASE"

CASE="model without meshes"
shoot "$MODELS/empty.gltf"
[ "$STATUS" -eq 0 ] || fail "exit status $STATUS"
grep -qxF "ovra_viewer: \"$MODELS/empty.gltf\" holds no meshes; the scene is empty" "$OUT" || fail "no line"
[ ! -s "$ERR" ] || fail "error output"
[ "$(convert "$SHOT" -format '%[fx:standard_deviation]' info:)" = "0" ] || fail "not an empty scene"
echo "ok: $CASE"

# file | the importer's reason, in part
while IFS='|' read -r file reason; do
  CASE="$file"
  shoot "$file"
  [ "$STATUS" -eq 1 ] || fail "exit status $STATUS"
  [ "$(wc -l <"$ERR")" -eq 1 ] || fail "not one line"
  grep -qF "ovra_viewer: cannot read model \"$file\": " "$ERR" || fail "line does not name the file"
  grep -qF "$reason" "$ERR" || fail "no reason"
  [ ! -e "$SHOT" ] || fail "screenshot written"
  echo "ok: $CASE"
done <<EOF_CASES
$WORK/missing.obj|Unable to open file
$MODELS/broken.gltf|No suitable reader
$MODELS/truncated.stl|STL
$MODELS|Unable to open file
EOF_CASES

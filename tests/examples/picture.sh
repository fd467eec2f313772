#!/usr/bin/env bash
# Runs an example from a scratch folder of its own with --screenshot and checks its picture
# against the row of tests/examples/pictures.txt named by the second argument.
# Arguments: the example's executable, its name in the table. Needs a display.
set -uo pipefail
EXE="$(realpath "$1")"
NAME="$2"
TABLE="$(dirname "${BASH_SOURCE[0]}")/pictures.txt"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAIL ($NAME): $*"
  [ -f "$WORK/err" ] && { echo "--- stderr"; cat "$WORK/err"; }
  exit 1
}

read -r -a PROBES < <(awk -v name="$NAME" '$1 == name { $1 = ""; print }' "$TABLE")
[ "${#PROBES[@]}" -gt 0 ] || fail "no row in $TABLE"

(cd "$WORK" && timeout -s KILL 120 "$EXE" --screenshot shot.png >"$WORK/out" 2>"$WORK/err")
status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(identify -format '%m %wx%h' "$WORK/shot.png" 2>/dev/null)" = "PNG 320x240" ] || fail "no 320x240 PNG"
# KEEP_PICTURE=<file> keeps the picture, to look at a failure or to refresh docs/.
[ -n "${KEEP_PICTURE:-}" ] && cp "$WORK/shot.png" "$KEEP_PICTURE"

wrong=0
for probe in "${PROBES[@]}"; do
  IFS=',=' read -r x y r g b <<<"$probe"
  seen="$(convert "$WORK/shot.png" -crop "1x1+$x+$y" -depth 8 txt:- | sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p')"
  [ -n "$seen" ] || fail "cannot read pixel $x,$y"
  read -r sr sg sb <<<"$seen"
  for pair in "$r $sr" "$g $sg" "$b $sb"; do
    read -r want got <<<"$pair"
    if [ $((want - got)) -gt 3 ] || [ $((got - want)) -gt 3 ]; then
      echo "pixel $x,$y is $sr,$sg,$sb, expected $r,$g,$b"
      wrong=1
      break
    fi
  done
done
[ "$wrong" -eq 0 ] || fail "the picture differs (run again with KEEP_PICTURE=<file> to keep it)"
echo "ok: $NAME"

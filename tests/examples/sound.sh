#!/usr/bin/env bash
# The text_and_sound example's chime, heard through SDL's disk driver, which writes every
# mixed sample to a file: its screenshot script plays the chime twice before muting, so the
# file holds sound. A driver that does not work gives the engine's one warning and a silent
# run that still ends with its picture.
# Arguments: the example's executable. Needs a display.
set -uo pipefail
EXE="$(realpath "$1")"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/audio.bash"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() {
  echo "FAIL ($CASE): $*"
  echo "--- stderr" && cat "$WORK/err"
  exit 1
}
run() { (cd "$WORK" && rm -f shot.png && env "$@" timeout -s KILL 120 "$EXE" --screenshot shot.png >"$WORK/out" 2>"$WORK/err"); }
# The engine's lines on the standard error stream; SDL's disk driver adds lines of its own.
ovra_lines() { grep -c "Ovra" "$WORK/err"; }

CASE="the disk driver"
run SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/audio.raw" || fail "exit status $?"
[ -s "$WORK/shot.png" ] || fail "no picture"
[ "$(ovra_lines)" -eq 0 ] || fail "the engine complained"
[ -s "$WORK/audio.raw" ] || fail "the disk driver wrote nothing: is the audio device open?"
[ "$(loud_bytes "$WORK/audio.raw" 0)" -gt 1000 ] || fail "only silence after two taps of Space"
echo "ok: $CASE"

CASE="no working driver"
run SDL_AUDIODRIVER=no_such_driver || fail "exit status $?"
[ -s "$WORK/shot.png" ] || fail "no picture"
[ "$(ovra_lines)" -eq 1 ] && grep -q "^WARNING: Ovra: Audio: no sound: " "$WORK/err" || fail "not the one warning"
echo "ok: $CASE"

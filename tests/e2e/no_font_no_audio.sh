#!/usr/bin/env bash
# No font and no sound: fontconfig knows no font at all and SDL's audio driver does not work.
# The game says so in one line each, the font's error with the engine's other errors on
# stdout and the sound's warning on stderr, then plays on without text and in silence:
# its status lines keep coming, the corner stays bare, Escape quits with status 0.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"
source "$(dirname "${BASH_SOURCE[0]}")/game.bash"

# A configuration that names no font folder: fontconfig finds nothing, not even a stand-in.
NO_FONTS="$WORK/no-fonts.conf"
cat >"$NO_FONTS" <<'EOF_CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig></fontconfig>
EOF_CONF
FONT_ERROR='ERROR: Ovra: Font: no font of family "DejaVu Sans"'
AUDIO_WARNING='WARNING: Ovra: Audio: no sound: '
# stdout without the game's own lines: the status lines and, once a zombie strikes, the blows.
other_output() { grep -v -e '^Player life:' -e '^health before: ' "$OUT"; }

# case | the audio settings
while IFS='|' read -r CASE audio; do
  # shellcheck disable=SC2086
  start_game FONTCONFIG_FILE="$NO_FONTS" $audio
  wait_for_frames 30
  others="$(other_output)"
  [ "$others" = "$FONT_ERROR" ] || fail "$CASE: stdout besides the game's lines is not the one font error: $others"
  [ "$(wc -l <"$ERR")" -eq 1 ] || fail "$CASE: not one line on stderr"
  [[ "$(head -n 1 "$ERR")" == "$AUDIO_WARNING"?* ]] || fail "$CASE: stderr is not the sound warning"
  # Without a font the corner where the score goes keeps the clear colour: nothing drawn there.
  shot "corner.$START"
  bare="$(convert "$WORK/shots/corner.$START.png" -crop "280x120+$((X + 1000))+$Y" +repage \
    -format "%[fx:round(255*minima)] %[fx:round(255*maxima)]" info:)"
  [ "$bare" = "51 51" ] || fail "$CASE: the score corner is not bare clear colour (darkest, brightest: $bare)"
  wait_for_frames 30
  [ "$(other_output)" = "$FONT_ERROR" ] || fail "$CASE: more lines on stdout while playing"
  [ "$(wc -l <"$ERR")" -eq 1 ] || fail "$CASE: more lines on stderr while playing"
  quit_game
  echo "ok: $CASE: one font error, one sound warning, $(count_lines "Player life:") status lines, exit status 0"
done <<EOF_CASES
a driver that does not exist|SDL_AUDIODRIVER=no-such-driver
no sound card|SDL_AUDIODRIVER=alsa AUDIODEV=hw:99
EOF_CASES

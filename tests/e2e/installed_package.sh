#!/usr/bin/env bash
# What a player gets: the Debian package of this build, unpacked into a scratch folder
# (no system install). It holds the program, its resources, a valid desktop entry, icon
# and metainfo, and the licence, and depends on what the program is linked with. Its
# launcher starts the game from any folder, through PATH, through a symlink and after the
# whole tree was moved, and passes the game's exit status through. Set E2E_SHOTS_DIR to
# keep a screenshot of the installed game at play (docs/screenshot.png comes from here).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

# The build folder that made the program holds the package's configuration.
BUILD="$(dirname "$BINARY")"
until [ -f "$BUILD/CPackConfig.cmake" ]; do
  [ "$BUILD" != / ] || fail "no CPackConfig.cmake above $BINARY"
  BUILD="$(dirname "$BUILD")"
done
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
[ -n "$VERSION" ] || fail "the build has no project version"

LOG="$WORK/cpack.log"
(cd "$BUILD" && cpack -G DEB -B "$WORK/dist" >"$LOG" 2>&1) || fail "cpack failed"
LOG=""
DEB="$WORK/dist/brimwold_${VERSION}_amd64.deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB"); made: $(ls "$WORK/dist")"

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = brimwold ] || fail "package name $(field Package)"
[ "$(field Version)" = "$VERSION" ] || fail "package version $(field Version)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
# The font is found through fontconfig at run time: no library brings it in.
for library in libsdl2-2.0-0 libsdl2-image-2.0-0 libglew2.2 libc6 fonts-dejavu-core; do
  field Depends | grep -q "\b$library\b" || fail "Depends lacks $library: $(field Depends)"
done
# The listing is read whole first: grep -q stops reading early, which pipefail would count.
LISTING="$(dpkg-deb -c "$DEB")"
for sound in blow felled hurt gameover newgame; do
  grep -q "/Ressources/sounds/$sound.wav$" <<<"$LISTING" || fail "the package lacks the sound $sound.wav"
done
if dpkg-deb -c "$DEB" | grep -E '/include/|\.a$|/cmake/|/pkgconfig/'; then
  fail "development files in the package"
fi

mkdir "$WORK/root"
dpkg-deb -x "$DEB" "$WORK/root" || fail "cannot unpack the package"
USR="$WORK/root/usr"
cmp -s "$USR/share/doc/brimwold/copyright" "$REPO/LICENSE" || fail "the copyright file is not the licence"
DESKTOP="$(ls "$USR"/share/applications/*.desktop)"
desktop-file-validate "$DESKTOP" || fail "desktop entry rejected"
appstreamcli validate --no-net "$USR"/share/metainfo/*.metainfo.xml >"$WORK/appstream.log" 2>&1 ||
  { LOG="$WORK/appstream.log"; fail "metainfo rejected"; }
ICON="$(sed -n 's/^Icon=//p' "$DESKTOP")"
[ "$(identify -format '%m %wx%h' "$USR/share/icons/hicolor/128x128/apps/$ICON.png" 2>/dev/null)" = "PNG 128x128" ] ||
  fail "no 128x128 PNG icon named $ICON"
grep -q "<launchable type=\"desktop-id\">$(basename "$DESKTOP")</launchable>" "$USR"/share/metainfo/*.metainfo.xml ||
  fail "the metainfo does not launch $(basename "$DESKTOP")"

# Starts the installed game with the command line given, from a folder of its own, and
# waits for its first status line. SIGINT and SIGTERM get their default actions back (a
# script's background job inherits SIGINT ignored, and the game keeps it ignored).
start_installed() {
  CASE="$*"
  mkdir -p "$WORK/elsewhere"
  launch env -C "$WORK/elsewhere" --default-signal=INT,TERM "$@"
  wait_for_line "Player life:" "$START_SECONDS"
  [ "$(head -n 1 "$OUT")" = "Player life:100  Is gameover: false" ] || fail "first line $(head -n 1 "$OUT")"
}

# Ends the game with SIGTERM; the launcher passes its exit status 0 through.
stop_installed() {
  kill -s TERM "$GAME_PID"
  wait_for_game_end "SIGTERM ($1)"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
}

PATH="$USR/bin:$PATH" start_installed brimwold
if [ -n "${E2E_SHOTS_DIR:-}" ]; then
  # A few seconds in, zombies are on their way to the cat.
  wait_for_line "Player life:" "$EVENT_SECONDS" 200
  wait_for_window '^Brimwold$'
  import -window "$WINDOW" "$E2E_SHOTS_DIR/screenshot.png" || fail "no screenshot"
fi
stop_installed "through PATH"

# Moved as a whole, and started through a symlink in yet another folder.
mkdir -p "$WORK/moved" "$WORK/links"
mv "$USR" "$WORK/moved/prefix"
ln -s "$WORK/moved/prefix/bin/brimwold" "$WORK/links/play-brimwold"
start_installed "$WORK/links/play-brimwold"
stop_installed "moved, through a symlink"

# A game that cannot start (a shader is missing) fails through the launcher too.
CASE="a shader missing"
rm "$WORK/moved/prefix/share/brimwold/Ressources/simple_shader.vert"
run_to_end "$START_SECONDS" env -C "$WORK/elsewhere" "$WORK/links/play-brimwold"
[ "$STATUS" -ne 0 ] || fail "a game without its shader exited with status 0 through the launcher"
[ "$STATUS" -lt 128 ] || fail "killed by signal $((STATUS - 128))"
echo "ok: $(basename "$DEB") (Depends: $(field Depends)) installs a game that starts from anywhere"

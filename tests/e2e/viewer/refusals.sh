#!/usr/bin/env bash
# The viewer refuses what it cannot do before it opens anything: a command line it cannot
# read gets its usage line on stderr and status 2, and a display without a window with an
# OpenGL 3.3 context gets SDL's reason and status 1. Neither waits for anyone.
# Arguments: ovra_viewer, repository.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.bash"
MODEL="$REPO/examples/crate/crate.obj"
USAGE="usage: ovra_viewer MODEL_FILE [--screenshot OUT.png]"

# case | arguments, as shell words
while IFS='|' read -r CASE words; do
  eval "arguments=($words)"
  run_to_end "$START_SECONDS" env -C "$WORK" "$BINARY" "${arguments[@]}"
  [ "$STATUS" -eq 2 ] || fail "exit status $STATUS, expected 2"
  [ "$(cat "$ERR")" = "$USAGE" ] || fail "stderr is not the usage line"
  [ ! -s "$OUT" ] || fail "it wrote on stdout"
  [ -z "$(ls "$WORK"/*.png 2>/dev/null)" ] || fail "a screenshot was written"
  echo "ok: $CASE"
done <<EOF_CASES
no arguments|
no model|--screenshot shot.png
empty model path|"" --screenshot shot.png
screenshot without its value|"$MODEL" --screenshot
screenshot with an empty value|"$MODEL" --screenshot ""
empty value, then a second screenshot|"$MODEL" --screenshot "" --screenshot shot.png
two screenshots|"$MODEL" --screenshot a.png --screenshot b.png
two models|"$MODEL" "$MODEL"
unknown option|"$MODEL" --fast
EOF_CASES

expect_refused_without_gl "ovra_viewer: cannot open a window with an OpenGL 3.3 context" \
  env -C "$WORK" "$BINARY" "$MODEL" --screenshot shot.png
[ ! -e "$WORK/shot.png" ] || fail "a screenshot was written"

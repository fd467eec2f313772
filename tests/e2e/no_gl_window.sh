#!/usr/bin/env bash
# Where a display is reachable but no window with an OpenGL 3.3 context can be made, the
# real program says why, in SDL's words, and exits with a failure status before it builds
# or plays anything.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.bash"

mkdir "$WORK/run"
ln -s "$REPO/Ressources" "$WORK/Ressources"
expect_refused_without_gl "Brimwold: cannot open the game window with an OpenGL 3.3 context" env -C "$WORK/run" "$BINARY"

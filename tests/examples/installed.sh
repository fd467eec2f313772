#!/usr/bin/env bash
# The engine and the viewer as others get them. The installed viewer, moved, runs from any
# folder. The textured quad example, a game of someone else's on Ovra, is built three ways
# (all examples build in tests/package/apt_install.sh) and its picture checked
# (tests/examples/picture.sh):
# against the engine installed from the build tree (then moved elsewhere, to show the package
# holds no absolute path), through pkg-config, and with the engine checkout added as a
# subdirectory. A package whose dependency is missing must fail at configure time naming it.
# A build without the viewer (-DOVRA_BUILD_VIEWER=OFF) skips the viewer's case and says so.
# Arguments: the repository's build tree (engine built), repository, compiler launcher (may be empty).
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/common.bash"
BUILD="$BINARY"
LAUNCHER="${3:-}"
GAME_SRC="$REPO/examples"
PICTURE="$REPO/tests/examples/picture.sh"
LOG="$WORK/log"
configure() { cmake -S "$GAME_SRC" -B "$1" -DCMAKE_BUILD_TYPE=Release ${LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$LAUNCHER} "${@:2}"; }
run_game() { bash "$PICTURE" "$1" textured_quad >>"$WORK/log" 2>&1 || fail "the textured quad's picture"; }

CASE="install"
cmake --install "$BUILD" --component devel --prefix "$WORK/stage" >"$WORK/log" 2>&1 || fail "install"
[ -f "$WORK/stage/include/Ovra3D/Application.hpp" ] || fail "headers"
for shader in ovra_flat.vert ovra_flat.frag ovra_lit.vert ovra_lit.frag ovra_overlay.vert instanced_sprite.vert instanced_sprite.frag; do
  cmp -s "$WORK/stage/share/ovra3d/shaders/$shader" "$REPO/engine/shaders/$shader" || fail "default shader $shader"
done
mv "$WORK/stage" "$WORK/moved"
PREFIX="$WORK/moved"
! grep -rIl -e "$REPO" -e "$BUILD" -e "$WORK/stage" "$PREFIX" || fail "absolute paths of this machine"
echo "ok: $CASE"

CASE="installed viewer, moved"
if [ -f "$BUILD/viewer/ovra_viewer" ]; then
  cmake --install "$BUILD" --component viewer --prefix "$WORK/viewer-stage" >"$WORK/log" 2>&1 || fail "install"
  mv "$WORK/viewer-stage" "$WORK/viewer"
  (cd / && timeout -s KILL "$START_SECONDS" "$WORK/viewer/bin/ovra_viewer" "$REPO/examples/crate/crate.obj" \
    --screenshot "$WORK/crate.png") >"$WORK/log" 2>&1 || fail "exit status"
  [ -s "$WORK/crate.png" ] || fail "no screenshot"
  echo "ok: $CASE"
else
  echo "skipped: $CASE (this build has no viewer: -DOVRA_BUILD_VIEWER=OFF)"
fi

CASE="find_package against the moved prefix"
configure "$WORK/pkg" -DCMAKE_PREFIX_PATH="$PREFIX" >>"$WORK/log" 2>&1 || fail "configure"
cmake --build "$WORK/pkg" -j2 --target ovra_example_textured_quad >>"$WORK/log" 2>&1 || fail "build"
run_game "$WORK/pkg/textured_quad/ovra_example_textured_quad"
echo "ok: $CASE"

CASE="pkg-config"
export PKG_CONFIG_PATH
PKG_CONFIG_PATH="$(dirname "$(find "$PREFIX" -name ovra3d.pc)")"
mkdir -p "$WORK/pc/data" && cp "$GAME_SRC"/common/shaders/* "$GAME_SRC"/textured_quad/data/* "$WORK/pc/data/"
# shellcheck disable=SC2046
${LAUNCHER} c++ -std=c++17 -o "$WORK/pc/textured_quad" "$GAME_SRC"/textured_quad/*.cpp "$GAME_SRC"/common/*.cpp \
  -I"$GAME_SRC/common" $(pkg-config --cflags --libs ovra3d) >>"$WORK/log" 2>&1 || fail "compile and link"
run_game "$WORK/pc/textured_quad"
echo "ok: $CASE"

CASE="a dependency missing"
! configure "$WORK/nodep" -DCMAKE_PREFIX_PATH="$PREFIX" -DCMAKE_DISABLE_FIND_PACKAGE_assimp=ON >"$WORK/log" 2>&1 ||
  fail "configured without assimp"
grep -q "assimp" "$WORK/log" && grep -q "Ovra3DConfig.cmake" "$WORK/log" ||
  fail "the package's own lookup does not name assimp"
echo "ok: $CASE"

CASE="add_subdirectory"
configure "$WORK/sub" -DOVRA_EXAMPLES_ENGINE_DIR="$REPO/engine" >"$WORK/log" 2>&1 || fail "configure"
cmake --build "$WORK/sub" -j2 --target ovra_example_textured_quad >>"$WORK/log" 2>&1 || fail "build"
run_game "$WORK/sub/textured_quad/ovra_example_textured_quad"
echo "ok: $CASE"

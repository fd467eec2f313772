#!/usr/bin/env bash
# Builds the Debian packages into dist/, made by CPack from the install rules, one per
# component: brimwold_<version>_amd64.deb (the game), ovra-viewer_<version>_amd64.deb (the
# model viewer) and libovra3d-dev_<version>_amd64.deb (the engine's development files, with
# the examples' sources and, when Doxygen is there, the API reference). The game's and the
# viewer's dependencies are computed from their programs. Given a configured build folder,
# packages what that folder builds instead of making a release build of its own.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIST="$ROOT/dist"

bash "$ROOT/scripts/setup.sh" package
if [ $# -ge 1 ]; then
  BUILD="$(cd "$1" && pwd)"
else
  BUILD="$ROOT/build-package"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF -DOVRA_BUILD_TOOLS=OFF -DOVRA_BUILD_EXAMPLES=OFF
fi
cmake --build "$BUILD" -j"$(nproc)"
if cmake --build "$BUILD" --target help | grep -q '\.\.\. doc$'; then
  cmake --build "$BUILD" --target doc
fi

mkdir -p "$DIST"
(cd "$BUILD" && cpack -G DEB -B "$DIST")
rm -rf "$DIST/_CPack_Packages"
ls -1 "$DIST"/*.deb

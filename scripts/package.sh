#!/usr/bin/env bash
# Builds the release package into dist/: brimwold_<version>_amd64.deb, made by CPack from
# the install rules, its dependencies computed from the program. Given a configured build
# folder, packages what that folder builds instead of making a release build of its own.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DIST="$ROOT/dist"

bash "$ROOT/scripts/setup.sh" package
if [ $# -ge 1 ]; then
  BUILD="$(cd "$1" && pwd)"
else
  BUILD="$ROOT/build-package"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release \
    -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF -DOVRA_BUILD_TOOLS=OFF
fi
cmake --build "$BUILD" -j"$(nproc)"

mkdir -p "$DIST"
(cd "$BUILD" && cpack -G DEB -B "$DIST")
rm -rf "$DIST/_CPack_Packages"
ls -1 "$DIST"/*.deb

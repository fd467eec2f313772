#!/usr/bin/env bash
# Installs what building and playing need, builds the game alone and starts it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build-play"

bash "$ROOT/scripts/setup.sh" play
# Tests, benchmarks and tools stay out of this build (the viewer's option may not exist yet).
cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli \
  -DOVRA_BUILD_TESTS=OFF -DOVRA_BUILD_BENCH=OFF -DOVRA_BUILD_TOOLS=OFF -DOVRA_BUILD_VIEWER=OFF
cmake --build "$BUILD" -j"$(nproc)" --target brimwold

# The game reads ../Ressources/, so it runs one level below the repository root.
cd "$BUILD"
exec ./game/brimwold

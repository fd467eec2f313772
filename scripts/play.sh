#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

bash "$ROOT/scripts/setup.sh"
cmake -S "$ROOT" -B "$ROOT/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$ROOT/build" -j"$(nproc)" --target brimwold

# The game reads ../Ressources/, so it runs one level below the repository root.
cd "$ROOT/build"
exec ./game/brimwold

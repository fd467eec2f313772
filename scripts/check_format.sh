#!/usr/bin/env bash
# Fails when a tracked C++ source or header differs from what clang-format (14, Debian 12)
# makes of it with the repository's .clang-format; lists each offending spot.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CLANG_FORMAT="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format)}"
cd "$ROOT"
git ls-files -z '*.cpp' '*.hpp' | xargs -0 "$CLANG_FORMAT" --style=file --dry-run -Werror
echo "format: every tracked source is formatted"

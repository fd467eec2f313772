#!/usr/bin/env bash
# Fails when a tracked C++ source or header differs from what clang-format (14, Debian 12)
# makes of it with the repository's .clang-format; lists each offending spot. In a tree without
# git (a source tarball, or git not installed) every source outside the ignored folders counts.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CLANG_FORMAT="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [ -z "$CLANG_FORMAT" ]; then
  echo "format: clang-format is missing (bash scripts/setup.sh test installs it)" >&2
  exit 2
fi
cd "$ROOT"

list_sources() {
  if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.hpp'
  else
    # The folders .gitignore names: build trees, packages, scratch.
    find . \( -path './build*' -o -path ./dist -o -path ./tmp -o -path ./.git \) -prune -o \
      -type f \( -name '*.cpp' -o -name '*.hpp' \) -print0 | sort -z
  fi
}

sources="$(list_sources | tr '\0' '\n')"
if [ -z "$sources" ]; then
  echo "format: no sources found under $ROOT" >&2
  exit 1
fi
printf '%s\n' "$sources" | tr '\n' '\0' | xargs -0 "$CLANG_FORMAT" --style=file --dry-run -Werror
echo "format: every tracked source is formatted ($(printf '%s\n' "$sources" | wc -l) files)"

#!/usr/bin/env bash
# The Debian packages of a build, made by CPack into a scratch folder: each holds exactly
# the files of its list (tests/package/<package>.txt), and its control fields say what it
# is and what it needs. Arguments: the build folder, the repository.
set -uo pipefail
BUILD="$(realpath "$1")"
REPO="$(realpath "$2")"
LISTS="$REPO/tests/package"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
(cd "$BUILD" && cpack -G DEB -B "$WORK/dist" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack failed"; }

# The files a list names, with its @tree lines expanded from the repository.
expected() {
  local folder dest patterns file
  while read -r line; do
    case "$line" in
      '' | '#'*) ;;
      @tree*)
        read -r _ folder dest patterns <<<"$line"
        (set -f && cd "$REPO/$folder" && for pattern in $patterns; do find . -type f -name "$pattern"; done) |
          sed "s|^\./|$dest/|"
        ;;
      *) echo "$line" ;;
    esac
  done <"$1" | sort -u
}

# The files a package holds, directories left out.
held() { dpkg-deb -c "$1" | awk '{ print $6 }' | sed 's|^\./|/|' | grep -v '/$' | sort; }

# package | section | architecture | a dependency it must declare | its summary line
while IFS='|' read -r package section arch dependency summary; do
  deb="$WORK/dist/${package}_${VERSION}_amd64.deb"
  [ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$WORK/dist")"
  held "$deb" >"$WORK/held"
  if [ "$package" = libovra3d-dev ]; then
    html=/usr/share/doc/libovra3d-dev/html/
    if [ -f "$BUILD/doc/html/index.html" ]; then
      grep -qx "${html}index.html" "$WORK/held" || fail "$package: no API reference, though the build made it"
    fi
    grep -v "^$html" "$WORK/held" >"$WORK/held.files" && mv "$WORK/held.files" "$WORK/held"
  fi
  expected "$LISTS/$package.txt" >"$WORK/expected"
  diff -u "$WORK/expected" "$WORK/held" >"$WORK/diff" || { cat "$WORK/diff"; fail "$package holds other files than its list"; }
  field() { dpkg-deb -f "$deb" "$1"; }
  [ "$(field Package)" = "$package" ] || fail "$package: package name $(field Package)"
  [ "$(field Version)" = "$VERSION" ] || fail "$package: version $(field Version)"
  [ "$(field Section)" = "$section" ] || fail "$package: section $(field Section)"
  [ "$(field Architecture)" = "$arch" ] || fail "$package: architecture $(field Architecture)"
  field Depends | tr ',' '\n' | grep -q "^ *$dependency\b" || fail "$package: Depends lacks $dependency: $(field Depends)"
  [ "$(field Description | head -n 1)" = "$summary" ] || fail "$package: summary $(field Description | head -n 1)"
  echo "ok: $package"
done <<'TABLE'
brimwold|games|amd64|libsdl2-2.0-0|top-down action game: a cat against a stream of zombies
ovra-viewer|graphics|amd64|libassimp5|model viewer of the Ovra 3D engine
libovra3d-dev|libdevel|amd64|libassimp-dev|development files of the Ovra 3D engine
TABLE

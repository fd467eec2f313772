#!/usr/bin/env bash
# Installs the Debian packages that are missing for one purpose:
#   play     build the game and play it (scripts/play.sh)
#   package  the above, and make the Debian package (scripts/package.sh)
#   test     everything: every target, the tests and the package (scripts/test.sh; the default)
set -euo pipefail
PURPOSE="${1:-test}"

PLAY=(
  g++ make cmake pkg-config
  libsdl2-dev libsdl2-image-dev libglew-dev libgl-dev libassimp-dev libglm-dev
  libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev fonts-dejavu-core
  libgl1-mesa-dri libglx-mesa0
)
PACKAGE=(dpkg-dev file)
TEST=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libfuzzer-14-dev doxygen clang-format
  xvfb xauth x11-utils xdotool imagemagick
  desktop-file-utils appstream
)

case "$PURPOSE" in
  play) PACKAGES=("${PLAY[@]}") ;;
  package) PACKAGES=("${PLAY[@]}" "${PACKAGE[@]}") ;;
  test) PACKAGES=("${PLAY[@]}" "${PACKAGE[@]}" "${TEST[@]}") ;;
  *) echo "usage: $0 [play|package|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

#!/usr/bin/env bash
# Installs whatever the build, the game and the tests need and is not there yet.
set -euo pipefail

PACKAGES=(
  build-essential g++ cmake pkg-config
  libsdl2-dev libsdl2-image-dev libglew-dev libgl-dev libgl1-mesa-dri libglx-mesa0 libassimp-dev libglm-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick
)

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

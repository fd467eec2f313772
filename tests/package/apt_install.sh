#!/usr/bin/env bash
# The development package on a fresh Debian 12: apt installs it with its dependencies into
# a clean minimal system (debootstrap, kept as a base under OVRA_DEBIAN_BASE and copied for
# each run), and the examples it carries build there against it, with find_package and with
# pkg-config. Needs root for the chroot (skipped, saying so, without it) and the Debian
# mirror the first time. Arguments: the build folder, the repository.
set -uo pipefail
BUILD="$(realpath "$1")"
REPO="$(realpath "$2")"
BASE="${OVRA_DEBIAN_BASE:-$HOME/.cache/ovra/debian12-minbase}"
ARCHIVES="${BASE}-archives"
MIRROR="${OVRA_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
WORK="$(mktemp -d)"
ROOT="$WORK/root"
cleanup() {
  for mount in var/cache/apt/archives dev proc; do
    mountpoint -q "$ROOT/$mount" 2>/dev/null && umount -l "$ROOT/$mount"
  done
  rm -rf --one-file-system "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL ($CASE): $*"; [ -f "$WORK/log" ] && tail -40 "$WORK/log"; exit 1; }

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: a chroot needs root"
  exit 77
fi

CASE="the package"
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
(cd "$BUILD" && cpack -G DEB -B "$WORK/dist" >"$WORK/log" 2>&1) || fail "cpack failed"
DEB="$WORK/dist/libovra3d-dev_${VERSION}_amd64.deb"
[ -f "$DEB" ] || fail "no $(basename "$DEB")"

CASE="a fresh Debian 12"
# Runs side by side share the base and apt's downloads: one at a time makes or uses them.
mkdir -p "$(dirname "$BASE")"
exec 9>"$BASE.lock"
flock 9
if [ ! -f "$BASE/etc/debian_version" ]; then
  rm -rf --one-file-system "$BASE.new"
  debootstrap --variant=minbase bookworm "$BASE.new" "$MIRROR" >"$WORK/log" 2>&1 || fail "debootstrap"
  mv "$BASE.new" "$BASE"
fi
grep -q '^12\.' "$BASE/etc/debian_version" || fail "the base is Debian $(cat "$BASE/etc/debian_version")"
cp -a "$BASE" "$ROOT"
mkdir -p "$ARCHIVES/partial"
mount --bind "$ARCHIVES" "$ROOT/var/cache/apt/archives"
mount -t proc proc "$ROOT/proc"
mount --bind /dev "$ROOT/dev"
cp "$DEB" "$ROOT/tmp/"
in_root() { chroot "$ROOT" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

CASE="apt install"
in_root apt-get update >"$WORK/log" 2>&1 || fail "apt-get update"
in_root apt-get install -y --no-install-recommends "/tmp/$(basename "$DEB")" g++ make cmake pkg-config \
  >>"$WORK/log" 2>&1 || fail "apt-get install"
in_root dpkg -s libovra3d-dev >>"$WORK/log" 2>&1 || fail "not installed"
flock -u 9
echo "ok: $CASE"

EXAMPLES=/usr/share/doc/libovra3d-dev/examples
CASE="find_package"
in_root cmake -S "$EXAMPLES" -B /tmp/examples >"$WORK/log" 2>&1 || fail "configure"
in_root cmake --build /tmp/examples -j2 >>"$WORK/log" 2>&1 || fail "build"
for example in textured_quad sprites lit_model text_and_sound instanced_sprites; do
  [ -x "$ROOT/tmp/examples/$example/ovra_example_$example" ] || fail "no $example example"
done
[ -f "$ROOT/tmp/examples/sprites/data/textured.vert" ] || fail "no shaders beside the example"
[ -f "$ROOT/tmp/examples/lit_model/data/block.obj" ] || fail "no model beside the lit model example"
[ -f "$ROOT/tmp/examples/text_and_sound/data/chime.wav" ] || fail "no sound beside the text and sound example"
echo "ok: $CASE"

CASE="pkg-config"
in_root sh -c "c++ -std=c++17 -o /tmp/quad $EXAMPLES/textured_quad/*.cpp $EXAMPLES/common/*.cpp \
  -I$EXAMPLES/common \$(pkg-config --cflags --libs ovra3d)" >"$WORK/log" 2>&1 || fail "compile and link"
echo "ok: $CASE"

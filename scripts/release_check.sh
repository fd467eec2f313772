#!/usr/bin/env bash
# The release check: runs a README command as a new user would, as root on a freshly installed
# Debian 12 (a throwaway `debootstrap --variant=minbase bookworm` root) holding nothing but the
# tree. Run it on a Debian host, as root, with debootstrap installed.
#
#   scripts/release_check.sh [options] [--] [command...]      (default: bash scripts/test.sh)
#
#   --rev REV        the commit to check (default HEAD)
#   --tarball        copy the tree in from `git archive REV` (no .git) instead of a clean clone
#   --log FILE       where the log is kept (default /var/log/ovra-release-check/<time>.log)
#   --isolated       run the command with loopback only (see below)
#   --net            share the host's network with the command (the default)
#   --keep           leave the root in place afterwards (its path is printed)
#   --mirror URL     Debian mirror (default http://deb.debian.org/debian)
#
# The minbase root is made once and kept as a tarball in /var/cache/ovra-release-check; each
# check unpacks a fresh copy. Downloaded .deb files are kept there too, which only saves time.
# Inside, the command runs with the host's network, as on a CI machine that reaches Debian's
# archive (the test command installs the development package with apt in a fresh root of its
# own). With --isolated, `scripts/setup.sh test` first installs the packages, then the command
# runs in a network namespace of its own (loopback only), so that its X servers and sockets
# cannot meet the host's: like a machine of its own, for commands that need no network. The command's output
# goes to the terminal and to the log; /proc, /sys, /dev, /dev/pts and /dev/shm are mounted for
# it and unmounted again whatever happens, Ctrl+C included. Exits with the command's status.
set -euo pipefail
# One block, read whole before it runs: the script may be edited while a check runs for hours.
{
REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE=/var/cache/ovra-release-check
MIRROR=http://deb.debian.org/debian
REV=HEAD
MODE=clone
LOG=""
NET=1
KEEP=0
while [ $# -gt 0 ]; do
  case "$1" in
    --rev) REV="$2"; shift 2 ;;
    --tarball) MODE=tarball; shift ;;
    --log) LOG="$2"; shift 2 ;;
    --net) NET=1; shift ;;
    --isolated) NET=0; shift ;;
    --keep) KEEP=1; shift ;;
    --mirror) MIRROR="$2"; shift 2 ;;
    --) shift; break ;;
    -*) echo "usage: $0 [--rev REV] [--tarball] [--log FILE] [--isolated|--net] [--keep] [--mirror URL] [--] [command...]" >&2
        exit 2 ;;
    *) break ;;
  esac
done
COMMAND="${*:-bash scripts/test.sh}"

if [ "$(id -u)" -ne 0 ]; then echo "release_check: run as root (debootstrap, chroot, mount)" >&2; exit 2; fi
for tool in debootstrap chroot mount umount unshare ip git tar; do
  command -v "$tool" >/dev/null || { echo "release_check: $tool is missing" >&2; exit 2; }
done
COMMIT="$(git -C "$REPO" rev-parse --verify "$REV^{commit}")" ||
  { echo "release_check: no commit $REV in $REPO" >&2; exit 2; }
[ -n "$LOG" ] || LOG="/var/log/ovra-release-check/$(date -u +%Y%m%dT%H%M%SZ)-${COMMIT:0:10}-$MODE.log"
mkdir -p "$(dirname "$LOG")" "$CACHE/archives"
LOG="$(cd "$(dirname "$LOG")" && pwd)/$(basename "$LOG")"
: >"$LOG"
say() { echo "release_check: $*" | tee -a "$LOG"; }

ROOT=""
FRESH=""
MOUNTS=()
cleanup() {
  local status=$?
  trap - EXIT INT TERM HUP
  set +e
  if [ -n "$FRESH" ]; then
    # Interrupted while making the minbase root: debootstrap may have mounted inside it.
    grep -F " $FRESH/" /proc/self/mounts | cut -d' ' -f2 | sort -r | xargs -r umount -l
    rm -rf --one-file-system "$FRESH"
  fi
  if [ -n "$ROOT" ]; then
    # Whatever the command left running inside would keep the mounts busy.
    local inside tries
    for tries in 1 2 3 4 5 6 7 8 9 10; do
      inside="$(find /proc -mindepth 2 -maxdepth 2 -name root -lname "$ROOT" 2>/dev/null | cut -d/ -f3)"
      [ -z "$inside" ] && break
      kill -KILL $inside 2>/dev/null
      sleep 1
    done
    local i
    for ((i = ${#MOUNTS[@]} - 1; i >= 0; i--)); do
      umount "${MOUNTS[i]}" 2>/dev/null || umount -l "${MOUNTS[i]}" ||
        echo "release_check: could not unmount ${MOUNTS[i]}" >&2
    done
    if grep -qF " $ROOT/" /proc/self/mounts; then
      echo "release_check: still mounted under $ROOT, left in place" >&2
    elif [ "$KEEP" -eq 1 ]; then
      echo "release_check: root kept at $ROOT" >&2
    else
      rm -rf --one-file-system "$ROOT" || echo "release_check: could not remove $ROOT" >&2
    fi
  fi
  echo "release_check: log in $LOG"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# The minbase root, made once.
BASE="$CACHE/bookworm-minbase.tar"
if [ ! -s "$BASE" ]; then
  say "making the minbase root (once; cached as $BASE)"
  FRESH="$(mktemp -d /var/tmp/ovra-bootstrap.XXXXXX)"
  debootstrap --variant=minbase bookworm "$FRESH" "$MIRROR" >>"$LOG" 2>&1 || { say "debootstrap failed"; exit 1; }
  tar -C "$FRESH" -cf "$BASE.part" . && mv "$BASE.part" "$BASE"
  rm -rf --one-file-system "$FRESH"
  FRESH=""
fi

ROOT="$(mktemp -d /var/tmp/ovra-release-check.XXXXXX)"
tar -C "$ROOT" -xf "$BASE"
chmod 755 "$ROOT"  # a root directory as on a real system, so that users other than root can reach it
cp -L /etc/resolv.conf "$ROOT/etc/resolv.conf"

# The tree, as a new user gets it.
SRC="$ROOT/root/ovra"
if [ "$MODE" = clone ]; then
  git clone -q --no-local --no-checkout "$REPO" "$SRC"
  git -C "$SRC" checkout -q --detach "$COMMIT"
else
  mkdir -p "$SRC"
  git -C "$REPO" archive --format=tar "$COMMIT" | tar -C "$SRC" -xf -
fi

mount_in() {
  mkdir -p "$ROOT$2"
  mount "${@:3}" "$1" "$ROOT$2"
  MOUNTS+=("$ROOT$2")
}
mount_in proc /proc -t proc
mount_in sysfs /sys -t sysfs
mount_in /dev /dev --bind
mount_in devpts /dev/pts -t devpts -o newinstance,ptmxmode=0666
mount_in shm /dev/shm -t tmpfs -o mode=1777
mount_in "$CACHE/archives" /var/cache/apt/archives --bind
mkdir -p "$ROOT/var/cache/apt/archives/partial"
chroot "$ROOT" chown _apt:root /var/cache/apt/archives/partial

# A login as root would give this environment; no display, no locale.
ENV=(env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash TERM=dumb
     PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin)
# In the background, so that a signal reaches the traps at once rather than after the command.
run_logged() {
  ("$@" 2>&1 | tee -a "$LOG"; exit "${PIPESTATUS[0]}") &
  wait $!
}
say "commit $COMMIT ($MODE) in $ROOT"
start=$SECONDS
status=0
if [ "$NET" -eq 0 ]; then
  say "installing the test packages: bash scripts/setup.sh test"
  run_logged "${ENV[@]}" chroot "$ROOT" /bin/bash -c 'cd /root/ovra && bash scripts/setup.sh test' || status=$?
  if [ "$status" -eq 0 ]; then
    say "running (own network namespace): $COMMAND"
    run_logged unshare --net -- /bin/sh -c 'ip link set lo up && exec "$@"' sh \
      "${ENV[@]}" chroot "$ROOT" /bin/bash -c "cd /root/ovra && $COMMAND" || status=$?
  fi
else
  say "running: $COMMAND"
  run_logged "${ENV[@]}" chroot "$ROOT" /bin/bash -c "cd /root/ovra && $COMMAND" || status=$?
fi
say "exit status $status after $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"
exit "$status"
}

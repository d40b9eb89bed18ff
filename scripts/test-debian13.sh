#!/usr/bin/env bash
# Builds Tarvilo and runs every test that needs no Wine (the end-to-end test on
# Xvfb included) on Debian 13 (trixie), in a chroot made with debootstrap.
# The chroot lives outside the clone and is reused by later runs:
#   TARVILO_DEBIAN13_ROOT   the chroot folder (default /var/tmp/tarvilo-debian13)
#   TARVILO_DEBIAN_MIRROR   the Debian mirror (default: the one this machine uses)
# The clone is mounted at /tarvilo inside the chroot and built in
# build/debian13. Extra arguments are run in the chroot instead of the tests,
# from /tarvilo, for instance: scripts/test-debian13.sh bash
# Run as root (or through sudo).
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
root="${TARVILO_DEBIAN13_ROOT:-/var/tmp/tarvilo-debian13}"
ready_mark="$root/.tarvilo-chroot-ready"

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=TARVILO_DEBIAN13_ROOT,TARVILO_DEBIAN_MIRROR "$0" "$@"
fi

host_mirror() {
    local uri
    uri="$(grep -hsE '^[[:space:]]*(URIs:|deb[[:space:]])' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources \
           /etc/apt/sources.list.d/*.list | grep -v -- '-security' | grep -oE 'https?://[^[:space:]]+' | head -n 1)" || true
    echo "${uri:-http://deb.debian.org/debian}"
}
mirror="${TARVILO_DEBIAN_MIRROR:-$(host_mirror)}"

mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}" ||
            echo "test-debian13: could not unmount ${mounted[i]}" >&2
    done
    mounted=()
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One run at a time uses the chroot; a run that was killed may have left its
# mounts behind, and they are taken down before new ones are made.
exec {lock_fd}>"$root.lock"
flock -n "$lock_fd" || { echo "test-debian13: another run is using $root" >&2; exit 1; }
unmount_leftovers() {
    local target
    findmnt -rn -o TARGET | { grep "^$root/" || true; } | sort -r | while read -r target; do
        umount -R "$target" 2>/dev/null || umount -R -l "$target" || true
    done
}

# The source tree and /dev must be there. /proc, /sys and /dev/shm are mounted
# the usual way, or bound from the host where the kernel refuses a new instance
# (some container sandboxes refuse a second sysfs), or, where neither is
# allowed, left out with a warning rather than failing before anything is built.
# A bound tree is made a slave of the host's: mounts made on it stay in the
# chroot, and unmounting it never reaches the host's own mounts.
bind_tree() {
    mkdir -p "$2"
    mount --bind "$1" "$2"
    mounted+=("$2")
    mount --make-rslave "$2"
}
attach() {
    local type="$1" host="$2" target="$root$2"
    mkdir -p "$target"
    if mount -t "$type" "tarvilo-$type" "$target" 2>/dev/null; then
        mounted+=("$target")
    elif mount --rbind "$host" "$target" 2>/dev/null; then
        mounted+=("$target")
        mount --make-rslave "$target"
    else
        echo "test-debian13: warning: $host is not available inside the chroot" >&2
    fi
}

unmount_leftovers
if [ ! -e "$ready_mark" ]; then
    if findmnt -rn -o TARGET | grep -q "^$root/"; then
        echo "test-debian13: something is still mounted under $root; unmount it first" >&2
        exit 1
    fi
    command -v debootstrap >/dev/null || {
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
    }
    # An older debootstrap may not know trixie yet: it is bootstrapped like sid.
    script=/usr/share/debootstrap/scripts/trixie
    [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
    rm -rf "$root"
    echo "test-debian13: debootstrap trixie into $root from $mirror"
    debootstrap --variant=minbase trixie "$root" "$mirror" "$script" >"$root.debootstrap.log" 2>&1 || {
        tail -n 20 "$root.debootstrap.log" >&2
        exit 1
    }
    # No services are started by package installs inside the chroot.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    touch "$ready_mark"
fi

cp -L /etc/resolv.conf "$root/etc/resolv.conf"
attach proc /proc
attach sysfs /sys
bind_tree /dev "$root/dev"
bind_tree /dev/pts "$root/dev/pts"
attach tmpfs /dev/shm
bind_tree "$source_dir" "$root/tarvilo"

in_chroot() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c 'cd /tarvilo && "$@"' bash "$@"
}

in_chroot scripts/install-deps.sh test-nowine
if [ $# -gt 0 ]; then
    in_chroot "$@"
    exit
fi
in_chroot cmake --preset default -B build/debian13 -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
in_chroot cmake --build build/debian13 -j2
in_chroot ctest --test-dir build/debian13 -j2 --output-on-failure -LE wine -E wine

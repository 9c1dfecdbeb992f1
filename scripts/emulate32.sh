#!/bin/sh
# emulate32.sh COMMAND...: runs COMMAND with every i386 program under qemu's
# user-mode emulator (build/qemu/qemu-i386, see build-qemu32.sh): Wine's
# 32-bit loader, and so every 32-bit program Wine starts, its own services
# included. qemu is the binfmt_misc handler for i386 executables and shared
# objects, with the F flag (the kernel opens it once, at registration), but
# only in a user and mount namespace of COMMAND's own: since Linux 6.7 each
# user namespace has a binfmt_misc of its own, so the machine's stays as it
# is, and so does its answer to whether i386 code runs. Where the kernel has
# no such binfmt_misc, this fails and registers nothing.
# COMMAND sees VAVEZAV_EMULATED32 set to qemu's path.
# emulate32.sh --check: whether Wine's 32-bit loader runs so; exit 1 with
# the reason on standard error where it does not.
set -eu

# Inside the namespace: emulate32.sh --inside QEMU UID GID COMMAND...
if [ "${1:-}" = --inside ]; then
    qemu=$2 uid=$3 gid=$4
    shift 4
    # Never the machine's own: the initial user namespace maps every uid.
    if awk '$3 == 4294967295 { found = 1 } END { exit !found }' /proc/self/uid_map; then
        echo "emulate32: not in a user namespace of its own; nothing registered" >&2
        exit 1
    fi
    misc=/proc/sys/fs/binfmt_misc
    if ! mount -t binfmt_misc binfmt_misc "$misc" 2>/dev/null; then
        echo "emulate32: no binfmt_misc of its own in a user namespace here (Linux 6.7 or later has one)" >&2
        exit 1
    fi
    # i386 ELF, executable or shared object (e_type 2 or 3), any OS ABI; as
    # qemu's own qemu-binfmt-conf.sh has it. The kernel reads the escapes.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":vavezav-i386:M::$magic:$mask:$qemu:F" >"$misc/register"
    grep -qx enabled "$misc/vavezav-i386"
    export VAVEZAV_EMULATED32="$qemu"
    if [ "$uid" = 0 ]; then
        exec "$@"
    fi
    # Root here only to register: the command runs as the user who started
    # it (Wine wants its server folder to be the user's own).
    exec unshare --user --map-user="$uid" --map-group="$gid" -- "$@"
fi

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
qemu=${VAVEZAV_QEMU_I386:-$root/build/qemu/qemu-i386}
if [ ! -x "$qemu" ]; then
    echo "emulate32: $qemu is missing (scripts/build-qemu32.sh builds it)" >&2
    exit 1
fi
case "$qemu" in
    *:*) echo "emulate32: $qemu: binfmt_misc takes no path with a colon" >&2; exit 1 ;;
esac
if [ "${1:-}" = --check ]; then
    # shellcheck disable=SC2016
    set -- sh -c 'out=$(timeout 60 /usr/lib/wine/wine --version 2>&1) ||
        { echo "emulate32: Wine'\''s 32-bit loader does not run under $VAVEZAV_EMULATED32: $out" >&2; exit 1; }'
fi
if [ $# = 0 ]; then
    echo "usage: emulate32.sh COMMAND... | --check" >&2
    exit 2
fi
if ! unshare --user --map-root-user --mount --propagation private true 2>/dev/null; then
    echo "emulate32: no user and mount namespaces here (unshare --user --map-root-user --mount failed)" >&2
    exit 1
fi
exec unshare --user --map-root-user --mount --propagation private -- \
    "$here/emulate32.sh" --inside "$qemu" "$(id -u)" "$(id -g)" "$@"

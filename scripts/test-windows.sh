#!/bin/sh
# test-windows.sh: runs the Windows and end-to-end tests on every Windows
# build this host can run (the 32-bit exe in its 32-bit prefix, the 64-bit
# build in its 64-bit prefix), each in a Wine session of its own, and says in
# its last line which builds were tested and why.
# Where the host runs 64-bit code only (or VAVEZAV_EMULATE32=1), the 32-bit
# exe's tests, its WOW64 tests included, run under qemu's i386 emulator
# (build-qemu32.sh, emulate32.sh), with every test wait VAVEZAV_WAIT_SCALE
# times longer. Where the emulator cannot be had, the 32-bit exe gets only
# the checks that need no Wine, with a warning.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
. "$here/wine-probe.sh"
if ! probe_builds; then
    echo "Windows tests: none ran: $builds_why" >&2
    exit 1
fi
status=0
failed=""
summary=$builds_why

# The 32-bit exe where the host runs it only emulated: "" (not wanted),
# "yes" or the reason it cannot.
emulate=""
case " $builds " in
    *" win32 "*) ;;
    *)
        if [ "${VAVEZAV_WIN64_ONLY:-}" != 1 ]; then
            echo "test-windows: the 32-bit exe runs here only under emulation ($emulated32_why)"
            emulate=yes
            errors=$(mktemp)
            if ! qemu=$("$here/build-qemu32.sh"); then
                emulate=$(cat "$root/build/qemu/failed" 2>/dev/null || echo "its build failed")
            elif ! "$here/emulate32.sh" --check 2>"$errors"; then
                cat "$errors" >&2
                emulate=$(sed -n 's/^emulate32: //p' "$errors" | tail -n 1)
                : "${emulate:=it did not start}"
            fi
            rm -f "$errors"
        fi
        ;;
esac

# A build that this host cannot run still gets the checks that need no Wine.
for arch in win32 win64; do
    case " $builds " in *" $arch "*) continue ;; esac
    [ "$arch" = win32 ] && [ "$emulate" = yes ] && continue
    case "$arch" in
        win32) preset=windows ;;
        win64) preset=windows64 ;;
    esac
    echo "test-windows: $preset, checks this host can run without its Wine"
    if ! ctest --preset "$preset" -L anyhost; then
        status=1
        failed="$failed $preset"
    fi
done

# The machine's own binfmt_misc handlers: what emulate32.sh must leave
# alone. (Not its mounts: systemd mounts it on the first look.)
machine_binfmt() {
    for f in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$f" ] && echo "$f: $(cat "$f")"
    done
}

# Every few tenths of a second, which binary runs each test program of the
# 32-bit build's prefixes (/proc/PID/exe; the name is Wine's, in comm).
watch_images() {
    while :; do
        for f in $(grep -l -x -E 'win32_tests\.exe|e2e_tests\.exe|VAVEZAV\.exe' /proc/[0-9]*/comm 2>/dev/null); do
            p=${f%/comm}
            prefix=$(tr '\0' '\n' <"$p/environ" | sed -n 's/^WINEPREFIX=//p')
            name=$(cat "$p/comm")
            exe=$(readlink "$p/exe")
            # Gone in between: nothing seen.
            [ -n "$name" ] && [ -n "$exe" ] || continue
            case "$prefix" in
                "$root/build/windows/"*) echo "$name ${prefix##*/} $exe" ;;
            esac
        done 2>/dev/null
        sleep 0.2
    done
}

# Each of the 32-bit programs was seen running, and only ever under qemu:
# a process image of Wine's own i386 loader would be the host running it.
check_images() {
    log=$1
    # /proc/PID/exe names the file with every symbolic link resolved.
    qemu=$(readlink -f "$2")
    ok=0
    for want in "win32_tests.exe wineprefix" "e2e_tests.exe wineprefix" "VAVEZAV.exe wineprefix" \
        "win32_tests.exe wow64-prefix"; do
        if ! grep -qxF "$want $qemu" "$log"; then
            echo "test-windows: $want was never seen running under $qemu" >&2
            ok=1
        fi
    done
    # The 64-bit loader starts the WOW64 program before it hands over to the
    # 32-bit one.
    if awk -v qemu="$qemu" '{ exe = $0; sub(/^[^ ]* [^ ]* /, "", exe) }
            exe != qemu && exe !~ /^\/usr\/lib\/wine\/wine64(-preloader)?$/' "$log" | sort -u | grep . >&2; then
        echo "test-windows: the programs above ran outside $qemu" >&2
        ok=1
    fi
    return "$ok"
}

run_emulated() {
    before=$(machine_binfmt)
    log=$(mktemp)
    watch_images >"$log" &
    watcher=$!
    result=0
    VAVEZAV_WAIT_SCALE=4 VAVEZAV_TIMEOUT=1800 VAVEZAV_WINEARCH=win32 \
        "$here/emulate32.sh" "$here/wine-session.sh" ctest --preset windows --timeout 1900 || result=1
    kill "$watcher"
    wait "$watcher" 2>/dev/null
    if [ "$result" = 0 ] && ! check_images "$log" "$qemu"; then
        result=1
    fi
    rm -f "$log"
    if [ "$(machine_binfmt)" != "$before" ]; then
        echo "test-windows: the machine's binfmt_misc changed during the emulated run:" >&2
        machine_binfmt >&2
        result=1
    fi
    return "$result"
}

for arch in win32 win64; do
    case "$arch" in
        win32) preset=windows ;;
        win64) preset=windows64 ;;
    esac
    case " $builds " in
        *" $arch "*)
            echo "test-windows: $preset ($arch)"
            if ! VAVEZAV_WINEARCH=$arch "$here/wine-session.sh" ctest --preset "$preset"; then
                status=1
                failed="$failed $preset"
            fi
            ;;
        *)
            [ "$arch" = win32 ] && [ "$emulate" = yes ] || continue
            echo "test-windows: $preset ($arch, every i386 program under qemu)"
            if ! run_emulated; then
                status=1
                failed="$failed $preset(emulated)"
            fi
            ;;
    esac
done

if [ "$status" != 0 ]; then
    echo "Windows tests FAILED on:$failed"
fi
case "$emulate" in
    "")
        case " $builds " in
            *" win32 "*) ;;
            *) echo "WOW64 tests of the 32-bit exe (a 64-bit prefix): skipped, the 32-bit exe cannot run here" ;;
        esac
        ;;
    yes)
        summary="32-bit build (emulated: $emulated32_why) and 64-bit build"
        ;;
    *)
        echo "WARNING: the 32-bit exe's Windows, end-to-end and WOW64 tests did not run: no i386 emulator ($emulate); it got only the checks that need no Wine"
        summary="64-bit build; the 32-bit exe only checked without Wine (WARNING: $emulated32_why, and its emulation failed: $emulate)"
        ;;
esac
echo "Windows tests: $summary"
exit "$status"

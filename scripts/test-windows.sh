#!/bin/sh
# test-windows.sh: runs the Windows and end-to-end tests on every Windows
# build this host can run (the 32-bit exe in its 32-bit prefix, the 64-bit
# build in its 64-bit prefix), each in a Wine session of its own, and says in
# its last line which builds were tested and why.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-probe.sh"
if ! probe_builds; then
    echo "Windows tests: none ran: $builds_why" >&2
    exit 1
fi
status=0
failed=""
# A build that this host cannot run still gets the checks that need no Wine.
for arch in win32 win64; do
    case " $builds " in *" $arch "*) continue ;; esac
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
for arch in $builds; do
    case "$arch" in
        win32) preset=windows ;;
        win64) preset=windows64 ;;
    esac
    echo "test-windows: $preset ($arch)"
    if ! VAVEZAV_WINEARCH=$arch "$here/wine-session.sh" ctest --preset "$preset"; then
        status=1
        failed="$failed $preset"
    fi
done
if [ "$status" != 0 ]; then
    echo "Windows tests FAILED on:$failed"
fi
case " $builds " in
    *" win32 "*) ;;
    *) echo "WOW64 tests of the 32-bit exe (a 64-bit prefix): skipped, the 32-bit exe cannot run here" ;;
esac
echo "Windows tests: $builds_why"
exit "$status"

#!/bin/sh
# wine-run.sh [--win32|--win64|--wow64] PROGRAM.exe [ARGS...]: runs one
# Windows program in its build folder's prefix (the emulator that CMake hands
# to ctest; each toolchain file names its build; --wow64 is the 32-bit build
# in a 64-bit prefix, see wine-env.sh). Outside a wine-session it starts one
# of its own.
set -eu
case "${1:-}" in
    --win32|--win64|--wow64)
        VAVEZAV_WINEARCH=${1#--}
        export VAVEZAV_WINEARCH
        shift
        ;;
esac
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$session_file" ]; then
    exec "$here/wine-session.sh" "$here/wine-run.sh" "$@"
fi
# Wine's helper processes (services, the desktop) outlive the program and
# inherit its output; a pipe of the caller's would then never close, so
# the output goes through a file.
log=$(mktemp)
status=0
timeout -k 5 "${VAVEZAV_TIMEOUT:-600}" "$WINE" "$@" >"$log" 2>&1 </dev/null || status=$?
cat "$log"
rm -f "$log"
if [ "$status" = 124 ]; then
    echo "wine-run: $1 timed out" >&2
fi
exit "$status"

#!/bin/sh
# wine-session.sh COMMAND...: runs COMMAND with the prefix ready, a virtual X
# display and a persistent wineserver, and stops both (by PID) afterwards.
# On a desktop (DISPLAY set and VAVEZAV_XVFB unset) it uses that display.
# The build (and so the prefix) is VAVEZAV_WINEARCH's, see wine-env.sh.
# VAVEZAV_PIN_CPU=N runs the wineserver on CPU N only (the benchmark).
set -eu
. "$(dirname "$0")/wine-env.sh"
"$here/wine-prefix.sh"

xvfb_pid=""
server_pid=""
cleanup() {
    if [ -n "$server_pid" ]; then
        timeout 20 "$WINESERVER" -k >/dev/null 2>&1 || true
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "$session_file"
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ] || [ -n "${VAVEZAV_XVFB:-}" ]; then
    n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
        n=$((n + 1))
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "wine-session: Xvfb did not start" >&2
            exit 1
        fi
        sleep 0.1
    done
fi
echo "display=$DISPLAY" > "$session_file"

if [ -n "${VAVEZAV_PIN_CPU:-}" ]; then
    taskset -c "$VAVEZAV_PIN_CPU" "$WINESERVER" -f -p >/dev/null 2>&1 &
else
    "$WINESERVER" -f -p >/dev/null 2>&1 &
fi
server_pid=$!
sleep 0.3

status=0
"$@" || status=$?
exit "$status"

#!/bin/sh
# Creates the build's prefix (32-bit or 64-bit, by VAVEZAV_WINEARCH) once: a virtual desktop (so the focus follows
# windows and closing one does not stall), no crash dialog.
set -eu
. "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/.vavezav-ready" ]; then
    exit 0
fi
# Only a prefix this script made, or a new one, is (re)made: never a prefix
# of the user's that VAVEZAV_WINEPREFIX happens to point at.
if [ -d "$WINEPREFIX" ] && [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
    if [ ! -f "$WINEPREFIX/.vavezav-made" ]; then
        echo "wine-prefix: $WINEPREFIX exists and was not made here; refusing to use it for tests" >&2
        exit 1
    fi
    rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
touch "$WINEPREFIX/.vavezav-made"
echo "wine-prefix: creating $WINEPREFIX ($WINEARCH)"
timeout 180 "$WINE" wineboot -i >/dev/null 2>&1
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
timeout 60 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
timeout 60 "$WINESERVER" -w || true
touch "$WINEPREFIX/.vavezav-ready"

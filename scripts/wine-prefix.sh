#!/bin/sh
# Creates the 32-bit prefix once: a virtual desktop (so the focus follows
# windows and closing one does not stall), no crash dialog.
set -eu
. "$(dirname "$0")/wine-env.sh"
if [ -f "$WINEPREFIX/.vavezav-ready" ]; then
    exit 0
fi
mkdir -p "$(dirname "$WINEPREFIX")"
rm -rf "$WINEPREFIX"
echo "wine-prefix: creating $WINEPREFIX"
timeout 180 wineboot -i >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
timeout 60 wineserver -w || true
touch "$WINEPREFIX/.vavezav-ready"

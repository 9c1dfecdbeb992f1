# Sourced by the Wine scripts: the environment of one Windows build's own
# prefix. VAVEZAV_WINEARCH picks the build: win32 (build/windows, the 32-bit
# exe, a 32-bit prefix; the default) or win64 (build/windows64, a 64-bit
# prefix) or wow64 (the 32-bit build in a 64-bit prefix of its own,
# build/windows/wow64-prefix, as on 64-bit Windows; the 64-bit loader starts
# the 32-bit one for a 32-bit program). VAVEZAV_WINEPREFIX chooses another
# prefix; a real machine's prefix is never the default.
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
: "${VAVEZAV_WINEARCH:=win32}"
export VAVEZAV_WINEARCH
case "$VAVEZAV_WINEARCH" in
    win32) build_dir="$root/build/windows"; loader=/usr/lib/wine/wine; fallback=wine ;;
    win64) build_dir="$root/build/windows64"; loader=/usr/lib/wine/wine64; fallback=wine64 ;;
    wow64) build_dir="$root/build/windows"; loader=/usr/lib/wine/wine64; fallback=wine64 ;;
    *) echo "wine-env: VAVEZAV_WINEARCH must be win32, win64 or wow64, not $VAVEZAV_WINEARCH" >&2; exit 2 ;;
esac
if [ "$VAVEZAV_WINEARCH" = wow64 ]; then
    : "${VAVEZAV_WINEPREFIX:=$build_dir/wow64-prefix}"
    export WINEARCH=win64
else
    : "${VAVEZAV_WINEPREFIX:=$build_dir/wineprefix}"
    export WINEARCH="$VAVEZAV_WINEARCH"
fi
export WINEPREFIX="$VAVEZAV_WINEPREFIX"
# Debian's /usr/bin/wine always starts the 32-bit loader once wine32 is
# installed, also where the host cannot run it: name the loader of the build.
if [ -x "$loader" ]; then
    WINE="$loader"
else
    WINE=$(command -v "$fallback" || echo "$fallback")
fi
export WINELOADER="$WINE"
# One 64-bit server serves 32-bit and 64-bit programs alike.
for s in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    if [ -x "$s" ]; then
        export WINESERVER="$s"
        break
    fi
done
: "${WINESERVER:=$(command -v wineserver || echo wineserver)}"
export WINESERVER
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install dialogs in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
session_file="$WINEPREFIX.session"
if [ -z "${DISPLAY:-}" ] && [ -f "$session_file" ]; then
    DISPLAY=$(sed -n 's/^display=//p' "$session_file")
    export DISPLAY
fi

# Sourced by the Wine scripts: the environment of the build folder's own prefix.
# VAVEZAV_WINEPREFIX chooses another prefix; a real machine's prefix is never
# the default.
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
: "${VAVEZAV_WINEPREFIX:=$root/build/windows/wineprefix}"
export WINEPREFIX="$VAVEZAV_WINEPREFIX"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install dialogs in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
session_file="$WINEPREFIX.session"
if [ -z "${DISPLAY:-}" ] && [ -f "$session_file" ]; then
    DISPLAY=$(sed -n 's/^display=//p' "$session_file")
    export DISPLAY
fi

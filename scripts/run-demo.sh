#!/bin/sh
# run-demo.sh (make run): opens VAVEZAV.exe under Wine.
#
# By default it prepares a demo prefix, BUILD/demo-prefix, with a
# printer of the model, one other printer and a sample table (prefix_tool
# demo), then opens the editor in it.
#   VAVEZAV_WINEPREFIX=DIR  a prefix of your choice instead of the demo prefix;
#                           without VAVEZAV_OWN_PREFIX it gets the demo setup
#                           (a demo printer and the sample table are written
#                           into it) and must be a 32-bit prefix made by
#                           these scripts
#   VAVEZAV_OWN_PREFIX=1    use the prefix as it is (default $WINEPREFIX or
#                           ~/.wine): no demo setup, your own printers and
#                           registry; the prefix is never created or reset
#   VAVEZAV_WINEARCH=win32|win64
#                           which build to open: the 32-bit exe
#                           (build/windows) or the 64-bit build
#                           (build/windows64); by default the 32-bit exe
#                           where the host runs it, else the 64-bit build
#   VAVEZAV_WIN64_ONLY=1    the 64-bit build, as on a host without 32-bit code
#   VAVEZAV_DPI=N           the display scale of the demo prefix as Windows
#                           counts it (LogPixels, which each program reads
#                           as it starts): 96 = 100 % (the default), 120 =
#                           125 %, 144 = 150 %, 192 = 200 %. The demo's
#                           virtual desktop is 1024x768, which holds the
#                           window up to 150 %.
#   VAVEZAV_SHOT=FILE       where the screenshot goes (headless runs)
# With DISPLAY set the window opens there and the script ends when you close
# it. Without a display it starts Xvfb, waits until the editor has loaded its
# table, takes a screenshot of the editor's window, prints its path and
# closes the editor.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ -z "${VAVEZAV_WINEARCH:-}" ]; then
    . "$here/wine-probe.sh"
    if ! probe_builds; then
        echo "run-demo: $builds_why" >&2
        exit 1
    fi
    VAVEZAV_WINEARCH=${builds%% *}
    why=" ($builds_why)"
fi
export VAVEZAV_WINEARCH
case "$VAVEZAV_WINEARCH" in
    win32) build="$root/build/windows"; which="the 32-bit exe" ;;
    win64) build="$root/build/windows64"; which="the 64-bit build" ;;
    *) echo "run-demo: VAVEZAV_WINEARCH must be win32 or win64" >&2; exit 2 ;;
esac
exe="$build/VAVEZAV.exe"
tool="$build/prefix_tool.exe"
dpi=${VAVEZAV_DPI:-96}
case "$dpi" in
    *[!0-9]* | "") dpi=0 ;;
esac
if [ "$dpi" -lt 96 ] || [ "$dpi" -gt 288 ]; then
    echo "run-demo: VAVEZAV_DPI must be a number from 96 to 288, not ${VAVEZAV_DPI:-}" >&2
    exit 2
fi
export VAVEZAV_DPI="$dpi"
if [ "$dpi" = 96 ]; then
    shot=${VAVEZAV_SHOT:-$build/demo-screenshot.png}
else
    shot=${VAVEZAV_SHOT:-$build/demo-screenshot-${dpi}dpi.png}
fi

for f in "$exe" "$tool"; do
    if [ ! -f "$f" ]; then
        echo "run-demo: $f is missing; build first (make windows)" >&2
        exit 1
    fi
done
if [ "${1:-}" != --in-session ]; then
    echo "run-demo: opening $which, $exe${why:-}"
fi

# Starts the editor, and without a display of the user's own, shoots it.
# Runs with WINEPREFIX, DISPLAY and a wineserver ready.
open_editor() {
    if [ "$1" = interactive ]; then
        "$WINE" "$exe" >/dev/null 2>&1 </dev/null
        return 0
    fi
    "$WINE" "$exe" >/dev/null 2>&1 </dev/null &
    editor=$!
    status=0
    timeout 60 "$WINE" "$tool" wait-loaded 30 </dev/null || status=$?
    # Give the window time to paint after the load.
    sleep 1
    # The editor's window, frame included; the whole screen if it is gone.
    # Wine's virtual desktop stands in the screen's top-left corner.
    rect=$(timeout 20 "$WINE" "$tool" window-rect </dev/null 2>/dev/null | tr -d '\r') || rect=""
    if [ -n "$rect" ]; then
        import -window root -crop "$rect" +repage "$shot"
    else
        import -window root "$shot"
    fi
    echo "run-demo: screenshot $shot"
    timeout 20 "$WINE" "$tool" close </dev/null >/dev/null 2>&1 || true
    tries=0
    while kill -0 "$editor" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            echo "run-demo: the editor did not close; stopping it" >&2
            kill "$editor" 2>/dev/null || true
            break
        fi
        sleep 0.1
    done
    wait "$editor" 2>/dev/null || true
    if [ "$status" != 0 ]; then
        echo "run-demo: the editor did not show a loaded table (wait-loaded $status)" >&2
    fi
    return "$status"
}

# Inside wine-session.sh: demo setup, then the editor.
if [ "${1:-}" = --in-session ]; then
    . "$here/wine-env.sh"
    # Debian's Wine 8 looks for its own fonts (fonts-wine) beside its data
    # folder and never finds them there; it does load the prefix's Fonts
    # folder, and so Marlett, which draws the title bar's buttons.
    if [ -d /usr/share/wine/fonts ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    timeout 120 "$WINE" "$tool" demo </dev/null
    # Read by the editor as it starts: the scale it opens at.
    timeout 60 "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VAVEZAV_DPI" /f \
        </dev/null >/dev/null 2>&1
    if [ "$VAVEZAV_DPI" != 96 ]; then
        echo "run-demo: the display scale is $VAVEZAV_DPI DPI ($((VAVEZAV_DPI * 100 / 96)) %)"
    fi
    open_editor "$2"
    exit $?
fi

mode=interactive
if [ -z "${DISPLAY:-}" ]; then
    mode=headless
fi

if [ "${VAVEZAV_OWN_PREFIX:-}" = 1 ]; then
    own=${VAVEZAV_WINEPREFIX:-${WINEPREFIX:-$HOME/.wine}}
    # The loader and server of the build; the prefix is the user's.
    . "$here/wine-env.sh"
    export WINEPREFIX="$own"
    if [ ! -d "$WINEPREFIX" ]; then
        echo "run-demo: no prefix at $WINEPREFIX" >&2
        exit 1
    fi
    # The prefix decides its own architecture, and its own scale.
    unset WINEARCH
    if [ "$VAVEZAV_DPI" != 96 ]; then
        echo "run-demo: VAVEZAV_DPI is for the demo prefix; your own prefix keeps its scale (winecfg, Graphics)" >&2
    fi
    export WINEDEBUG="${WINEDEBUG:--all}"
    xvfb_pid=""
    if [ "$mode" = headless ]; then
        n=90
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do
            n=$((n + 1))
        done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        sleep 1
    fi
    status=0
    open_editor "$mode" || status=$?
    if [ -n "$xvfb_pid" ]; then
        # Wine's desktop and services still talk to the display for a moment.
        timeout 10 "$WINESERVER" -w 2>/dev/null || true
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    exit "$status"
fi

export VAVEZAV_WINEPREFIX="${VAVEZAV_WINEPREFIX:-$build/demo-prefix}"
# wine-prefix.sh remakes a prefix it did not make; never let that happen to
# a prefix of the user's.
if [ -d "$VAVEZAV_WINEPREFIX" ] && [ ! -f "$VAVEZAV_WINEPREFIX/.vavezav-ready" ]; then
    echo "run-demo: $VAVEZAV_WINEPREFIX was not made by these scripts;" \
        "use VAVEZAV_OWN_PREFIX=1 to open the editor in it as it is" >&2
    exit 1
fi
exec "$here/wine-session.sh" "$here/run-demo.sh" --in-session "$mode"

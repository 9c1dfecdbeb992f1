# Sourced: which Windows builds this host can run under Wine. Sets `builds`
# ("win32 win64", "win64" or "win32") and `builds_why`, the sentence that
# says so; returns 1 (with the reason in builds_why) where neither runs.
# VAVEZAV_WIN64_ONLY=1 takes the 64-bit-only path on any host.
# VAVEZAV_EMULATE32=1 answers as a host that runs 64-bit code only, whose
# 32-bit programs run only under emulation (see emulate32.sh), so that this
# path can be checked on any host; `emulated32_why` says which of the two.
# The probe asks the machine itself: inside emulate32.sh's namespace every
# i386 program runs, so it refuses to answer there.
probe_loader() {
    # A loader runs when it can print its version; on a host without
    # IA-32 emulation the 32-bit one fails with "Exec format error".
    [ -x "$1" ] && timeout 30 "$1" --version >/dev/null 2>&1
}

probe_builds() {
    can32=0
    can64=0
    emulated32_why="this host cannot run 32-bit x86 code"
    if [ -n "${VAVEZAV_EMULATED32:-}" ]; then
        builds=""
        builds_why="the host probe runs outside emulate32.sh only"
        return 1
    fi
    if [ "${VAVEZAV_EMULATE32:-}" = 1 ]; then
        emulated32_why="VAVEZAV_EMULATE32=1"
    elif probe_loader /usr/lib/wine/wine; then
        can32=1
    fi
    if probe_loader /usr/lib/wine/wine64; then can64=1; fi
    if [ "${VAVEZAV_WIN64_ONLY:-}" = 1 ]; then
        builds=win64
        builds_why="64-bit build only (VAVEZAV_WIN64_ONLY=1)"
        if [ "$can64" = 0 ]; then
            builds_why="the 64-bit Wine loader /usr/lib/wine/wine64 does not run here (is wine64 installed?)"
            return 1
        fi
    elif [ "$can32" = 1 ] && [ "$can64" = 1 ]; then
        builds="win32 win64"
        builds_why="32-bit and 64-bit builds"
    elif [ "$can64" = 1 ]; then
        builds=win64
        builds_why="64-bit build only ($emulated32_why; the 32-bit exe would run only under emulation)"
    elif [ "$can32" = 1 ]; then
        builds=win32
        builds_why="32-bit build only (the 64-bit Wine loader /usr/lib/wine/wine64 does not run here)"
    else
        builds=""
        builds_why="neither Wine loader runs here (/usr/lib/wine/wine and /usr/lib/wine/wine64); install wine32 and wine64 (make deps)"
        return 1
    fi
    return 0
}

#!/bin/sh
# check-exe.sh OBJDUMP EXE ARCH KIND [IMPORTS]: checks what kind of program
# EXE is. KIND gui: a GUI program with the manifest that asks for the
# highestAvailable execution level; console: a console program (afetool).
# ARCH i686: a PE32 GUI program for subsystem version 4.0 (Windows 98 runs
# it); with IMPORTS, a file of "DLL!function" lines, its imports must be
# exactly those (a new import might be one that Windows 98 lacks).
# ARCH x86_64: a PE32+ GUI program.
set -eu
objdump=$1
exe=$2
arch=$3
kind=$4
imports=${5:-}
head=$("$objdump" -p "$exe")
fail() {
    echo "check-exe: $exe: $*" >&2
    exit 1
}
field() {
    printf '%s\n' "$head" | awk -v f="$1" '$1 == f { print $2; exit }'
}
case "$arch" in
    i686) want_format=pei-i386; want_magic=010b ;;
    x86_64) want_format=pei-x86-64; want_magic=020b ;;
    *) fail "unknown architecture $arch" ;;
esac
printf '%s\n' "$head" | grep -q "file format $want_format" || fail "not $want_format"
[ "$(field Magic)" = "$want_magic" ] || fail "optional header magic $(field Magic), not $want_magic"
case "$kind" in
    gui) want_subsystem=00000002 ;;
    console) want_subsystem=00000003 ;;
    *) fail "unknown kind $kind" ;;
esac
[ "$(field Subsystem)" = "$want_subsystem" ] || fail "subsystem $(field Subsystem), not $want_subsystem ($kind)"
if [ "$arch" = i686 ]; then
    version="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
    [ "$version" = 4.0 ] || fail "subsystem version $version, not 4.0 (Windows 98 would refuse it)"
fi
# The manifest (Windows 98 and Me ignore it).
if [ "$kind" = gui ]; then
    strings -a "$exe" | grep -q 'requestedExecutionLevel level="highestAvailable"' ||
        fail "no manifest asking for the highestAvailable execution level"
fi
if [ -n "$imports" ]; then
    actual=$(mktemp)
    # "DLL Name: X" starts a block of "hint name" rows.
    printf '%s\n' "$head" | awk '
        /^\tDLL Name: / { dll = toupper($3); next }
        /^$/ { dll = "" }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && NF == 3 { print dll "!" $3 }
    ' | sort -u >"$actual"
    [ -s "$actual" ] || fail "no imports read"
    if ! diff -u "$imports" "$actual" >&2; then
        rm -f "$actual"
        fail "imports differ from $imports (lines with + are new)"
    fi
    rm -f "$actual"
fi
echo "check-exe: $exe is a $want_format $kind program${imports:+ with the expected imports}"

#!/bin/sh
# test-wow64.sh WIN32_TESTS_EXE: the 32-bit build's registry-view tests as on
# 64-bit Windows: in a 64-bit prefix of their own (build/windows/wow64-prefix),
# where Wine runs the 32-bit program under WOW64. Exit 77 (skipped, with the
# reason) where the host cannot run that. Under emulate32.sh the 64-bit
# loader runs natively and the 32-bit program under qemu.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-probe.sh"
if [ -n "${VAVEZAV_EMULATED32:-}" ]; then
    # emulate32.sh: every i386 program runs, under qemu; the probe would say
    # nothing about the host.
    :
elif [ "${VAVEZAV_EMULATE32:-}" = 1 ]; then
    echo "wow64_tests: skipped: VAVEZAV_EMULATE32=1 runs 32-bit programs only under emulate32.sh"
    exit 77
elif ! probe_loader /usr/lib/wine/wine; then
    echo "wow64_tests: skipped: this host cannot run 32-bit x86 code"
    exit 77
fi
if ! probe_loader /usr/lib/wine/wine64; then
    echo "wow64_tests: skipped: no 64-bit Wine (wine64) for a 64-bit prefix"
    exit 77
fi
VAVEZAV_EXPECT_WOW64=1 exec "$here/wine-run.sh" --wow64 "$1" --gtest_filter='Wow64View.*:RegistryViewSystem.*'

#!/bin/sh
# test-wow64.sh WIN32_TESTS_EXE: the 32-bit build's registry-view tests as on
# 64-bit Windows: in a 64-bit prefix of their own (build/windows/wow64-prefix),
# where Wine runs the 32-bit program under WOW64. Exit 77 (skipped, with the
# reason) where the host cannot run that.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-probe.sh"
if ! probe_loader /usr/lib/wine/wine; then
    echo "wow64_tests: skipped: this host cannot run 32-bit x86 code"
    exit 77
fi
if ! probe_loader /usr/lib/wine/wine64; then
    echo "wow64_tests: skipped: no 64-bit Wine (wine64) for a 64-bit prefix"
    exit 77
fi
VAVEZAV_EXPECT_WOW64=1 exec "$here/wine-run.sh" --wow64 "$1" --gtest_filter='Wow64View.*:RegistryViewSystem.*'

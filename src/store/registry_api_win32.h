// The driver's key opened in the registry view the driver reads, through
// the registry calls of `platform`.
#pragma once

#include <windows.h>

// On 64-bit Windows the driver is a 64-bit program and reads the key in the
// 64-bit view; under WOW64 the 32-bit exe reaches that view only with
// KEY_WOW64_64KEY. Elsewhere no view flag is passed: Windows 2000 answers
// it with "access denied". KEY_ALL_ACCESS plus the view flag where needed.
REGSAM FlagKeyAccess();
// Whether the key can be emptied in that view: false under WOW64 without
// RegDeleteKeyExA, where RegDeleteKeyA would reach the 32-bit view only.
bool CanDeleteFlagKey();

LONG OpenFlagKey(HKEY* key);

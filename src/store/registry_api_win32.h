// The registry calls of the program, one table of functions so that tests can
// make any call fail with a chosen status code, and the driver's key opened,
// created and deleted through it in the registry view the driver reads.
#pragma once

#include <windows.h>

struct RegistryApi {
    LONG(WINAPI* openKey)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* queryValue)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* deleteKey)(HKEY, LPCSTR);
    LONG(WINAPI* createKey)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
    LONG(WINAPI* setValue)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* closeKey)(HKEY);
    // RegDeleteKeyExA, looked up at run time: Windows 98, Me, 2000 and the
    // WOW64 of 64-bit Windows XP lack it (null then).
    LONG(WINAPI* deleteKeyEx)(HKEY, LPCSTR, REGSAM, DWORD);
    // Whether this process is a 32-bit program on 64-bit Windows.
    bool (*runsUnderWow64)();
};

extern RegistryApi registryApi;
extern const RegistryApi kSystemRegistryApi;

// On 64-bit Windows the driver is a 64-bit program and reads the key in the
// 64-bit view; under WOW64 the 32-bit exe reaches that view only with
// KEY_WOW64_64KEY. Elsewhere no view flag is passed: Windows 2000 answers
// it with "access denied". KEY_ALL_ACCESS plus the view flag where needed.
REGSAM FlagKeyAccess();
// Whether the key can be emptied in that view: false under WOW64 without
// RegDeleteKeyExA, where RegDeleteKeyA would reach the 32-bit view only.
bool CanDeleteFlagKey();

LONG OpenFlagKey(HKEY* key);
LONG CreateFlagKey(HKEY* key, DWORD* disposition);
LONG DeleteFlagKey();

// The save's refusal where the key cannot be emptied first.
extern const char kCannotDeleteFlagKeyText[];

// The registry calls of the program, one table of functions so that tests can
// make any call fail with a chosen status code.
#pragma once

#include <windows.h>

struct RegistryApi {
    LONG(WINAPI* openKey)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* queryValue)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* deleteKey)(HKEY, LPCSTR);
    LONG(WINAPI* createKey)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
    LONG(WINAPI* setValue)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* closeKey)(HKEY);
};

extern RegistryApi registryApi;
extern const RegistryApi kSystemRegistryApi;

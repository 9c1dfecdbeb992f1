/* A stand-in winspool.drv: loading it creates the file PLANTED_MARKER names. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    char marker[MAX_PATH];
    (void)self;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH && GetEnvironmentVariableA("PLANTED_MARKER", marker, sizeof marker))
        CloseHandle(CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL));
    return TRUE;
}

BOOL WINAPI EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                          LPDWORD returned)
{
    (void)flags, (void)name, (void)level, (void)buffer, (void)size, (void)needed, (void)returned;
    return FALSE;
}

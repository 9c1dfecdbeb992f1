#include "base/platform_win32.h"

#include "base/system_function_win32.h"

namespace {

// The 64-bit build is in the 64-bit view already: it never runs under WOW64.
// The 32-bit exe asks the system, where the system can be asked.
bool SystemRunsUnderWow64()
{
#ifdef _WIN64
    return false;
#else
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto isWow64 = SystemFunction<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 != nullptr && isWow64(GetCurrentProcess(), &wow64) && wow64;
#endif
}

using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
using RenameKeyFn = LONG(WINAPI*)(HKEY, LPCWSTR, LPCWSTR);
using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

}  // namespace

const Platform kSystemPlatform = {
    RegOpenKeyExA,
    RegQueryValueExA,
    RegDeleteKeyA,
    RegCreateKeyExA,
    RegSetValueExA,
    RegCloseKey,
    RegEnumValueA,
    RegEnumKeyExA,
    SystemFunction<DeleteKeyExFn>("advapi32.dll", "RegDeleteKeyExA"),
    SystemRunsUnderWow64,
    SystemFunction<RenameKeyFn>("advapi32.dll", "RegRenameKey"),

    CreateFileA,
    ReadFile,
    WriteFile,
    GetFileSize,
    CloseHandle,
    DeleteFileA,
    MoveFileA,
    SystemFunction<MoveFileExFn>("kernel32.dll", "MoveFileExA"),
    GetTempFileNameA,
    GetFileAttributesA,

    CreateMutexA,
    OpenMutexA,
    WaitForSingleObject,
    ReleaseMutex,

    nullptr,

    nullptr,
    nullptr,
    nullptr,

    LocalAlloc,
    MessageBoxA,
    MessageBeep,

    LoadSystemLibrary,
};

// Defined after kSystemPlatform in this file, so it is initialised after it.
Platform platform = kSystemPlatform;

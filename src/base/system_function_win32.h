// Functions of system DLLs found at run time: what older Windows versions
// lack, and the DLLs that Windows would otherwise look for in the program's
// folder first (winspool.drv, version.dll; comdlg32.dll, whose own imports
// would be found there), which an elevated editor must never load from a
// Downloads folder.
#pragma once

#include <windows.h>

#include "base/platform_win32.h"

// GetProcAddress returns a generic pointer; through void* the cast to the
// real type draws no warning.
template <typename Fn>
Fn ExportedFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A function of a DLL already loaded (kernel32, advapi32): null where the
// DLL is not loaded or has no such export.
template <typename Fn>
Fn SystemFunction(const char* module, const char* name)
{
    return ExportedFunction<Fn>(GetModuleHandleA(module), name);
}

// "<system folder>\<fileName>" into path (always terminated). False, with
// the bare fileName there, when the system folder is unknown or too long.
bool SystemLibraryPath(const char* fileName, char* path, size_t size);

// A DLL of the system folder, loaded by its full path (never found through
// the DLL search) the first time and kept until the process ends. Null when
// it cannot be loaded; GetLastError says why. fileName is a literal: it is
// kept as the key of the loaded module.
HMODULE LoadSystemLibrary(const char* fileName);

// A function of a system DLL, loaded through platform.loadSystemLibrary.
template <typename Fn>
Fn SystemLibraryFunction(const char* fileName, const char* name)
{
    return ExportedFunction<Fn>(platform.loadSystemLibrary(fileName), name);
}

// Takes the program's folder and the current folder out of the DLL search
// for everything loaded from now on, where Windows can: the system folder
// only (SetDefaultDllDirectories, Windows 8, or 7 with its update), and no
// current folder (SetDllDirectoryA, XP SP1). Windows 98 has neither.
void RestrictDllSearch();

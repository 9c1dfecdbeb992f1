// A function of a system DLL looked up at run time, for what older Windows
// versions lack: null where the DLL is not loaded or has no such export.
#pragma once

#include <windows.h>

// GetProcAddress returns a generic pointer; through void* the cast to the
// real type draws no warning.
template <typename Fn>
Fn SystemFunction(const char* module, const char* name)
{
    HMODULE m = GetModuleHandleA(module);
    return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

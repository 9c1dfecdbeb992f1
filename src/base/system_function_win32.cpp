#include "base/system_function_win32.h"

#include <cstring>

namespace {

// Absent from the headers for Windows 98 that the program builds against.
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

struct LoadedLibrary {
    const char* fileName;
    HMODULE module;
};

// The DLLs loaded so far; there are four at most (shcore.dll only where
// Windows 8.1 lacks what 10 has).
struct {
    LoadedLibrary loaded[4];
    int count;
} state;

}  // namespace

bool SystemLibraryPath(const char* fileName, char* path, size_t size)
{
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    size_t nameLength = std::strlen(fileName);
    if (length == 0 || length >= sizeof folder || length + 1 + nameLength >= size) {
        lstrcpynA(path, fileName, static_cast<int>(size));
        return false;
    }
    std::memcpy(path, folder, length);
    path[length] = '\\';
    std::memcpy(path + length + 1, fileName, nameLength + 1);
    return true;
}

HMODULE LoadSystemLibrary(const char* fileName)
{
    for (int i = 0; i < state.count; ++i) {
        if (lstrcmpiA(state.loaded[i].fileName, fileName) == 0)
            return state.loaded[i].module;
    }
    char path[MAX_PATH];
    if (!SystemLibraryPath(fileName, path, sizeof path)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return nullptr;
    }
    HMODULE module = LoadLibraryA(path);
    if (module && state.count < static_cast<int>(sizeof state.loaded / sizeof state.loaded[0]))
        state.loaded[state.count++] = {fileName, module};
    return module;
}

void RestrictDllSearch()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD flags);
    using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR folder);
    auto setDefault = SystemFunction<SetDefaultDllDirectoriesFn>("kernel32.dll", "SetDefaultDllDirectories");
    if (setDefault)
        setDefault(kSearchSystem32);
    // "" takes the current folder out of the search.
    auto setFolder = SystemFunction<SetDllDirectoryFn>("kernel32.dll", "SetDllDirectoryA");
    if (setFolder)
        setFolder("");
}

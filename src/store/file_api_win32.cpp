#include "store/file_api_win32.h"

#include <cstring>

#include "base/system_function_win32.h"

namespace {

typedef BOOL(WINAPI* MoveFileExFn)(LPCSTR, LPCSTR, DWORD);

// The folder of path, with its trailing separator; "." for the current one.
void FolderOf(const char* path, char* folder, size_t size)
{
    const char* end = path;
    for (const char* c = path; *c; ++c) {
        if (*c == '\\' || *c == '/' || *c == ':')
            end = c + 1;
    }
    size_t n = static_cast<size_t>(end - path);
    if (n >= size)
        n = 0;
    std::memcpy(folder, path, n);
    folder[n] = '\0';
    if (n == 0)
        std::strcpy(folder, ".");
}

bool WriteAndClose(const char* path, const char* data, size_t length)
{
    HANDLE file =
        fileApi.createFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = length == 0 ||
              (fileApi.writeFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length);
    if (!fileApi.closeHandle(file))
        ok = false;
    return ok;
}

// Windows 98 and Me: no replacing move. The old file goes aside under a name
// of its own and comes back if the new one cannot be moved in.
bool MoveInPlace(const char* temp, const char* path, const char* folder)
{
    if (fileApi.getFileAttributes(path) == 0xFFFFFFFFu)
        return fileApi.moveFile(temp, path) != FALSE;
    char aside[MAX_PATH];
    if (fileApi.getTempFileName(folder, "afe", 0, aside) == 0)
        return false;
    // The name was made as an empty file; the old one takes its place.
    fileApi.deleteFile(aside);
    if (!fileApi.moveFile(path, aside))
        return false;
    if (!fileApi.moveFile(temp, path)) {
        fileApi.moveFile(aside, path);
        return false;
    }
    fileApi.deleteFile(aside);
    return true;
}

}  // namespace

const FileApi kSystemFileApi = {
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
};

FileApi fileApi = kSystemFileApi;

bool ReplaceFileWhole(const char* path, const char* data, size_t length)
{
    // Windows refuses to move a file over a read-only one, but Wine and the
    // Windows 98 path (which moves the old file aside) do not: asked here, the
    // answer is the same everywhere.
    DWORD attributes = fileApi.getFileAttributes(path);
    if (attributes != 0xFFFFFFFFu && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    char folder[MAX_PATH];
    FolderOf(path, folder, sizeof folder);
    char temp[MAX_PATH];
    if (fileApi.getTempFileName(folder, "afe", 0, temp) == 0)
        return false;
    bool ok = WriteAndClose(temp, data, length);
    if (ok) {
        if (fileApi.moveFileEx != nullptr &&
            fileApi.moveFileEx(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        ok = (fileApi.moveFileEx == nullptr || GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) &&
             MoveInPlace(temp, path, folder);
    }
    if (!ok)
        fileApi.deleteFile(temp);
    return ok;
}

HGLOBAL ReadFileStart(const char* path, size_t limit, DWORD& length)
{
    length = 0;
    HANDLE file = fileApi.createFile(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD size = fileApi.getFileSize(file, &high);
    HGLOBAL data = nullptr;
    if (size != 0xFFFFFFFFu || GetLastError() == NO_ERROR) {
        DWORD want = (high != 0 || size > limit) ? static_cast<DWORD>(limit) : size;
        data = GlobalAlloc(GPTR, want + 1);
        DWORD read = 0;
        if (data && !(fileApi.readFile(file, data, want, &read, nullptr) && read == want)) {
            GlobalFree(data);
            data = nullptr;
        }
        if (data)
            length = want;
    }
    fileApi.closeHandle(file);
    return data;
}

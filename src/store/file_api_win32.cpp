#include "store/file_api_win32.h"

#include <cstring>

#include "base/platform_win32.h"

namespace {

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
        platform.createFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = length == 0 ||
              (platform.writeFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length);
    if (!platform.closeHandle(file))
        ok = false;
    return ok;
}

// Windows 98 and Me: no replacing move. The old file goes aside under a name
// of its own and comes back if the new one cannot be moved in.
bool MoveInPlace(const char* temp, const char* path, const char* folder)
{
    if (platform.getFileAttributes(path) == 0xFFFFFFFFu)
        return platform.moveFile(temp, path) != FALSE;
    char aside[MAX_PATH];
    if (platform.getTempFileName(folder, "afe", 0, aside) == 0)
        return false;
    // The name was made as an empty file; the old one takes its place.
    platform.deleteFile(aside);
    if (!platform.moveFile(path, aside))
        return false;
    if (!platform.moveFile(temp, path)) {
        platform.moveFile(aside, path);
        return false;
    }
    platform.deleteFile(aside);
    return true;
}

}  // namespace

bool ReplaceFileWhole(const char* path, const char* data, size_t length)
{
    // Windows refuses to move a file over a read-only one, but Wine and the
    // Windows 98 path (which moves the old file aside) do not: asked here, the
    // answer is the same everywhere.
    DWORD attributes = platform.getFileAttributes(path);
    if (attributes != 0xFFFFFFFFu && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    char folder[MAX_PATH];
    FolderOf(path, folder, sizeof folder);
    char temp[MAX_PATH];
    if (platform.getTempFileName(folder, "afe", 0, temp) == 0)
        return false;
    bool ok = WriteAndClose(temp, data, length);
    if (ok) {
        if (platform.moveFileEx != nullptr &&
            platform.moveFileEx(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        ok = (platform.moveFileEx == nullptr || GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) &&
             MoveInPlace(temp, path, folder);
    }
    if (!ok)
        platform.deleteFile(temp);
    return ok;
}

HGLOBAL ReadFileStart(const char* path, size_t limit, DWORD& length)
{
    length = 0;
    HANDLE file = platform.createFile(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD size = platform.getFileSize(file, &high);
    HGLOBAL data = nullptr;
    if (size != 0xFFFFFFFFu || GetLastError() == NO_ERROR) {
        DWORD want = (high != 0 || size > limit) ? static_cast<DWORD>(limit) : size;
        data = GlobalAlloc(GPTR, want + 1);
        DWORD read = 0;
        if (data && !(platform.readFile(file, data, want, &read, nullptr) && read == want)) {
            GlobalFree(data);
            data = nullptr;
        }
        if (data)
            length = want;
    }
    platform.closeHandle(file);
    return data;
}

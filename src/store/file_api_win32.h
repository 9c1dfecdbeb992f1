// The file calls of the import and the exports, one table of functions so
// that tests can make any call fail, or read or write fewer bytes than asked.
#pragma once

#include <windows.h>

#include <cstddef>

struct FileApi {
    HANDLE(WINAPI* createFile)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    BOOL(WINAPI* readFile)(HANDLE, LPVOID, DWORD, LPDWORD, LPOVERLAPPED);
    BOOL(WINAPI* writeFile)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);
    DWORD(WINAPI* getFileSize)(HANDLE, LPDWORD);
    BOOL(WINAPI* closeHandle)(HANDLE);
    BOOL(WINAPI* deleteFile)(LPCSTR);
    BOOL(WINAPI* moveFile)(LPCSTR, LPCSTR);
    // MoveFileExA, looked up at run time; Windows 98 and Me answer it with
    // ERROR_CALL_NOT_IMPLEMENTED, and null stands for the same.
    BOOL(WINAPI* moveFileEx)(LPCSTR, LPCSTR, DWORD);
    UINT(WINAPI* getTempFileName)(LPCSTR, LPCSTR, UINT, LPSTR);
    DWORD(WINAPI* getFileAttributes)(LPCSTR);
};

extern FileApi fileApi;
extern const FileApi kSystemFileApi;

// Puts data in place of the file at path only once all of it is written:
// a temporary file in the same folder is written and closed, then moved over
// the old one (MoveFileExA with replace and write-through; where the system
// lacks it, the old file is moved aside first and put back if the new one
// cannot take its place). A read-only file or a folder at path is refused
// before anything is written. On failure the earlier file is as it was and
// no temporary file is left.
bool ReplaceFileWhole(const char* path, const char* data, size_t length);

// At most `limit` bytes of the file, in a global block of one byte more
// (zero); null on any failure, a short read included.
HGLOBAL ReadFileStart(const char* path, size_t limit, DWORD& length);

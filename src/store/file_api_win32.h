// The file work of the import and the exports, through the file calls of
// `platform`, so that tests can make any call fail, or read or write fewer
// bytes than asked.
#pragma once

#include <windows.h>

#include <cstddef>

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

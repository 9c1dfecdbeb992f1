#include "afetool/afetool.h"

#include <sys/stat.h>

// Exporting, applying and verifying need the registry of Windows.
const char kPlatformUsage[] = "";

int RunPlatformCommand(const char*, int, char**, std::FILE*, std::FILE*)
{
    return -1;
}

bool WriteOutputFile(const char* path, const char* data, size_t length)
{
    // A file without write permission is read-only here, also for root,
    // who could open it for writing all the same.
    struct stat st;
    if (stat(path, &st) == 0 && (S_ISDIR(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        return false;
    std::FILE* f = std::fopen(path, "wb");
    bool ok = f && std::fwrite(data, 1, length, f) == length;
    if (f && std::fclose(f) != 0)
        ok = false;
    return ok;
}

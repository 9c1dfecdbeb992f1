#include "afetool/afetool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

// Exporting, applying and verifying need the registry of Windows.
const char kPlatformUsage[] = "";

int RunPlatformCommand(const char*, int, char**, std::FILE*, std::FILE*)
{
    return -1;
}

namespace {

bool WriteAll(int fd, const char* data, size_t length)
{
    while (length > 0) {
        ssize_t n = write(fd, data, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

// As on Windows, the new file is written whole beside the old one, flushed
// to the disk and only then renamed over it: a full disk or a write cut
// short leaves the earlier file as it was, never a part of the new one.
bool WriteOutputFile(const char* path, const char* data, size_t length)
{
    // A file without write permission is read-only here, also for root,
    // who could replace it all the same.
    struct stat st;
    bool exists = stat(path, &st) == 0;
    if (exists && (S_ISDIR(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        return false;
    std::string temp = std::string(path) + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0)
        return false;
    // The new file keeps the old one's permissions; a new one gets what
    // the umask leaves of rw-rw-rw-, as fopen would give it.
    mode_t mode = exists ? st.st_mode & 07777 : 0666;
    if (!exists) {
        mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, data, length) && fsync(fd) == 0;
    if (close(fd) != 0)
        ok = false;
    if (ok && rename(temp.c_str(), path) == 0)
        return true;
    unlink(temp.c_str());
    return false;
}

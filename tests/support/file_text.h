// Whole files as byte strings, for the tests of the exported and imported
// files, and the paths Windows programs see.
#pragma once

#include <cstdio>
#include <string>

// The file's bytes; false when it cannot be opened.
inline bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    std::fclose(f);
    return true;
}

// The whole file, or "<none>" when it cannot be opened.
inline std::string ReadFileText(const std::string& path)
{
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "<none>";
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

// The path Windows programs see for a path of the build machine: CMake gives
// Unix paths under Wine, and Z: is the Unix root there.
inline std::string WindowsPath(const char* path)
{
    std::string out = path[0] == '/' ? "Z:" : "";
    out += path;
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

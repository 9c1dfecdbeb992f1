// Whole files as byte strings, for the tests of the exported and imported files.
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

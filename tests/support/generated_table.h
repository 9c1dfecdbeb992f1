// Tables of any size for the store's tests: applications "APP0001.EXE"...
// with the same number of versions each and flags drawn from a seed, as the
// key holds them and as an .afe file carries them.
#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "stored_key_win32.h"

struct GeneratedTable {
    std::vector<std::string> names;
    std::vector<TestVersion> versions;
    std::vector<TestApp> apps;  // point into names and versions

    GeneratedTable(int appCount, int versionCount, unsigned seed)
    {
        std::mt19937 random(seed);
        for (int a = 0; a < appCount; ++a) {
            char name[16];
            std::snprintf(name, sizeof name, "APP%04d.EXE", a + 1);
            names.push_back(name);
            for (int v = 0; v < versionCount; ++v)
                versions.push_back({static_cast<uint32_t>(a), static_cast<uint32_t>(v), random(), random()});
        }
        for (int a = 0; a < appCount; ++a)
            apps.push_back({names[a].c_str(), versionCount, &versions[static_cast<size_t>(a * versionCount)]});
    }
    GeneratedTable(const GeneratedTable&) = delete;

    KeyContents Key() const { return KeyForTable(apps.data(), static_cast<int>(apps.size())); }
    bool Store() const { return WriteTestTable(apps.data(), static_cast<int>(apps.size())) == 1; }

    std::string Afe() const
    {
        std::string list, lines;
        char text[48];
        for (const TestApp& a : apps) {
            std::snprintf(text, sizeof text, "%02d", a.versionCount);
            list += text + std::string(a.name) + ";";
            for (int v = 0; v < a.versionCount; ++v) {
                const TestVersion& tv = a.versions[v];
                std::snprintf(text, sizeof text, "%08X%08X%08X%08X%08X\n", tv.tag, tv.versionMS, tv.versionLS,
                              tv.flagsLow, tv.flagsHigh);
                lines += text;
            }
        }
        std::snprintf(text, sizeof text, "%05u\n", static_cast<unsigned>(2 * (list.size() + 1)));
        return text + list + "\n" + lines;
    }
};

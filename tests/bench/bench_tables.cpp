#include "bench_tables.h"

#include <cstdio>
#include <cstring>

const char kExampleLabel[] = "example";
const char kHundredsLabel[] = "200 x 3";
const char kFullCapacityLabel[] = "full capacity";
const char kLargestFlagFileLabel[] = "largest .afe";

namespace {

struct SizeShape {
    const char* label;
    int apps;
    int versions;
    size_t nameChars;  // of every name but the last shortNames ones
    int shortNames;    // names one character shorter, to reach an exact APPINFO length
};

// Names ascend, so the registry takes each new value at the end of its list.
std::string GeneratedName(int app, size_t chars)
{
    static const char stem[] = "LONG-APPLICATION-NAME-FOR-TABLE-";
    char digits[8];
    std::snprintf(digits, sizeof digits, "%05d", app);
    return std::string(stem, chars - 5) + digits;
}

// A fixed sequence of flag words that sets every bit somewhere.
uint32_t NextFlags(uint32_t& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return seed;
}

void AddStored(BenchTable& b, uint16_t app, const AppFlagEntry& e)
{
    AppFlagEntry s = e;
    s.appIndex = app;
    b.stored.push_back(s);
}

void Generate(BenchTable& b, const SizeShape& shape)
{
    b.label = shape.label;
    uint32_t seed = 2260;
    for (int a = 0; a < shape.apps; ++a) {
        bool shortName = a >= shape.apps - shape.shortNames;
        b.names.push_back(GeneratedName(a, shortName ? shape.nameChars - 1 : shape.nameChars));
        for (int v = 0; v < shape.versions; ++v) {
            AppFlagEntry e = {};
            e.tag = a % 97 == 0 ? 7 : 1;  // a tag is carried unchanged
            e.versionMS = static_cast<uint32_t>((v + 1) << 16 | (a % 100));
            e.versionLS = static_cast<uint32_t>(a * 10 + v);
            e.flagsLow = NextFlags(seed);
            e.flagsHigh = NextFlags(seed);
            AddStored(b, static_cast<uint16_t>(a), e);
        }
    }
}

void PutWord(std::vector<unsigned char>& out, uint32_t w)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<unsigned char>(w >> (8 * k)));
}

std::string Formatted(const char* format, unsigned a, unsigned b, unsigned c, unsigned d, unsigned e)
{
    char line[64];
    std::snprintf(line, sizeof line, format, a, b, c, d, e);
    return line;
}

// APPINFO, the value names and records, and both files, from names and stored.
void Encode(BenchTable& b)
{
    std::vector<int> ordinal(b.names.size(), 0);
    std::vector<int> count(b.names.size(), 0);
    for (const AppFlagEntry& e : b.stored)
        ++count[e.appIndex];
    for (size_t a = 0; a < b.names.size(); ++a) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%02d", count[a]);
        b.appInfo += digits + b.names[a] + ";";
    }
    b.appInfoSize = static_cast<uint32_t>(2 * (b.appInfo.size() + 1));
    b.afeReadsBack = b.appInfoSize <= 99999;

    char line[128];
    std::snprintf(line, sizeof line, "%05u\n", static_cast<unsigned>(b.appInfoSize));
    b.afe = line + b.appInfo + "\n";
    std::snprintf(line, sizeof line, "[DEFAPPFLAG]\r\nAppInfoSize = %u\r\n", static_cast<unsigned>(b.appInfoSize));
    b.inf = line + std::string("AppInfo = ") + b.appInfo + "\r\n";
    for (size_t i = 0; i < b.stored.size(); ++i) {
        const AppFlagEntry& e = b.stored[i];
        char valueName[128];
        std::snprintf(valueName, sizeof valueName, "APP-%s-%02d", b.names[e.appIndex].c_str(), ++ordinal[e.appIndex]);
        b.valueNames.push_back(valueName);
        for (uint32_t w : {e.tag, e.versionMS, e.versionLS, e.flagsLow, e.flagsHigh})
            PutWord(b.records, w);
        b.afe += Formatted("%08X%08X%08X%08X%08X\n", e.tag, e.versionMS, e.versionLS, e.flagsLow, e.flagsHigh);
        std::snprintf(line, sizeof line, "AppFlag%u = %s,", static_cast<unsigned>(i + 1), valueName);
        b.inf += line + Formatted("%08X,%08X,%08X,%08X,%08X\r\n", e.tag, e.versionMS, e.versionLS, e.flagsLow,
                                  e.flagsHigh);
    }
    std::snprintf(line, sizeof line, "NumItems = %u\r\n", static_cast<unsigned>(b.stored.size()));
    b.inf += line;
}

}  // namespace

BenchTable MakeBenchTable(BenchSize size)
{
    BenchTable b = {};
    switch (size) {
    case BenchSize::Example:
        b.label = kExampleLabel;
        b.names.push_back("A.EXE");
        AddStored(b, 0, {0, 1, 0x00050002, 0x0000000A, 0x00000001, 0x80000000});
        AddStored(b, 0, {0, 7, 0x00010000, 0x00020003, 0x6DEADBEE, 0x00000000});
        break;
    case BenchSize::Hundreds:
        Generate(b, {kHundredsLabel, 200, 3, 12, 0});
        break;
    case BenchSize::FullCapacity:
        // 4,999 names of 37 characters and one of 36: 199,999 characters.
        Generate(b, {kFullCapacityLabel, kMaxApps, 2, 37, 1});
        break;
    case BenchSize::LargestFlagFile:
        // 4,998 names of 7 characters and two of 6: APPINFO-SIZE 99,998.
        Generate(b, {kLargestFlagFileLabel, kMaxApps, 2, 7, 2});
        break;
    }
    Encode(b);
    return b;
}

void FillEditedTable(const BenchTable& b, FlagTable& t)
{
    std::memset(&t, 0, sizeof t);
    for (size_t a = 0; a < b.names.size(); ++a)
        std::snprintf(t.appNames[a], kNameSize, "%s", b.names[a].c_str());
    t.appCount = static_cast<uint16_t>(b.names.size());
    // Round v takes the v-th version of every application that has one.
    std::vector<size_t> next(b.names.size(), 0);
    std::vector<std::vector<size_t>> byApp(b.names.size());
    for (size_t i = 0; i < b.stored.size(); ++i)
        byApp[b.stored[i].appIndex].push_back(i);
    for (bool placed = true; placed;) {
        placed = false;
        for (size_t a = 0; a < byApp.size(); ++a) {
            if (next[a] < byApp[a].size()) {
                t.entries[t.entryCount++] = b.stored[byApp[a][next[a]++]];
                placed = true;
            }
        }
    }
}

std::string CompareLoaded(const BenchTable& b, const FlagTable& t)
{
    char text[160];
    if (t.appCount != b.names.size() || t.entryCount != b.stored.size()) {
        std::snprintf(text, sizeof text, "%u applications and %u entries, not %u and %u", t.appCount, t.entryCount,
                      static_cast<unsigned>(b.names.size()), static_cast<unsigned>(b.stored.size()));
        return text;
    }
    for (size_t a = 0; a < b.names.size(); ++a) {
        if (b.names[a] != t.appNames[a])
            return "application " + std::to_string(a) + " is " + t.appNames[a] + ", not " + b.names[a];
    }
    for (size_t i = 0; i < b.stored.size(); ++i) {
        const AppFlagEntry& x = b.stored[i];
        const AppFlagEntry& y = t.entries[i];
        if (x.appIndex != y.appIndex || x.tag != y.tag || x.versionMS != y.versionMS || x.versionLS != y.versionLS ||
            x.flagsLow != y.flagsLow || x.flagsHigh != y.flagsHigh)
            return "entry " + std::to_string(i) + " differs";
    }
    return "";
}

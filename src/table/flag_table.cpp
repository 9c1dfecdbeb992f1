#include "table/flag_table.h"

#include <cstdio>
#include <cstring>

void ClearTableContents(FlagTable& t)
{
    std::memset(t.entries, 0, sizeof t.entries);
    std::memset(t.appNames, 0, sizeof t.appNames);
    t.appCount = 0;
    t.entryCount = 0;
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

static int LowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

int AsciiNamesEqual(const char* a, const char* b)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
    for (; *p && *q; ++p, ++q) {
        if (LowerAscii(*p) != LowerAscii(*q))
            return 0;
    }
    return *p == *q;
}

int FindApplication(const FlagTable& t, const InputValues& in)
{
    for (uint16_t i = 0; i < t.appCount && i < kMaxApps; ++i) {
        if (NamesEqual(t.appNames[i], in.inputAppName))
            return i;
    }
    return -1;
}

int VersionExistsForApp(const FlagTable& t, const InputValues& in, uint16_t app)
{
    for (uint16_t i = 0; i < t.entryCount && i < kMaxEntries; ++i) {
        const AppFlagEntry& e = t.entries[i];
        if (e.appIndex == app && e.versionMS == in.inputVersionMS && e.versionLS == in.inputVersionLS)
            return 1;
    }
    return 0;
}

int VersionExistsForEntry(const FlagTable& t, const InputValues& in, uint16_t e)
{
    if (e >= kMaxEntries)
        return 0;
    return VersionExistsForApp(t, in, t.entries[e].appIndex);
}

int NthEntryOfApp(const FlagTable& t, uint16_t app, int32_t row)
{
    if (row < 0)
        return -1;
    int32_t seen = 0;
    for (uint16_t i = 0; i < t.entryCount && i < kMaxEntries; ++i) {
        if (t.entries[i].appIndex != app)
            continue;
        if (seen == row)
            return i;
        ++seen;
    }
    return -1;
}

int CountVersions(const FlagTable& t, uint16_t app)
{
    int n = 0;
    for (uint16_t i = 0; i < t.entryCount && i < kMaxEntries; ++i) {
        if (t.entries[i].appIndex == app)
            ++n;
    }
    return n;
}

void GroupEntriesByApp(const FlagTable& t, EntriesByApp& g)
{
    uint16_t n = t.entryCount < kMaxEntries ? t.entryCount : kMaxEntries;
    std::memset(g.first, 0, sizeof g.first);
    for (uint16_t i = 0; i < n; ++i) {
        if (t.entries[i].appIndex < kMaxApps)
            ++g.first[t.entries[i].appIndex + 1];
    }
    for (int a = 0; a < kMaxApps; ++a)
        g.first[a + 1] = static_cast<uint16_t>(g.first[a + 1] + g.first[a]);
    // Each application's start serves as its cursor and so ends as the next
    // application's start: shifting the starts back by one restores them.
    for (uint16_t i = 0; i < n; ++i) {
        uint16_t app = t.entries[i].appIndex;
        if (app < kMaxApps)
            g.order[g.first[app]++] = i;
    }
    for (int a = kMaxApps; a > 0; --a)
        g.first[a] = g.first[a - 1];
    g.first[0] = 0;
}

int GroupSize(const EntriesByApp& g, int app)
{
    if (app < 0 || app >= kMaxApps)
        return 0;
    return g.first[app + 1] - g.first[app];
}

void VersionText(char* out, uint32_t versionMS, uint32_t versionLS)
{
    std::snprintf(out, kVersionTextSize, "%08X-%08X", static_cast<unsigned>(versionMS),
                  static_cast<unsigned>(versionLS));
}

int FlagBit(const AppFlagEntry& e, int flagIndex)
{
    uint32_t word = flagIndex < 32 ? e.flagsLow : e.flagsHigh;
    return static_cast<int>((word >> (flagIndex % 32)) & 1u);
}

void SetFlagBit(AppFlagEntry& e, int flagIndex, int on)
{
    uint32_t& word = flagIndex < 32 ? e.flagsLow : e.flagsHigh;
    uint32_t bit = 1u << (flagIndex % 32);
    if (on)
        word |= bit;
    else
        word &= ~bit;
}

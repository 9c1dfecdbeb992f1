#include "table/flag_table.h"

#include <algorithm>
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

unsigned char UpperCp1252(unsigned char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<unsigned char>(c - 0x20);
    switch (c) {
    case 0x9A:  // s caron
    case 0x9C:  // oe
    case 0x9E:  // z caron
        return static_cast<unsigned char>(c - 0x10);
    case 0xFF:  // y diaeresis: its capital stands at 0x9F
        return 0x9F;
    }
    return c;
}

int NamesEqual(const char* a, const char* b)
{
    char x[kNameSize];
    char y[kNameSize];
    AppRowName(x, a);
    AppRowName(y, b);
    return std::strcmp(x, y) == 0;
}

void SortFoldedNames(const char (*names)[kNameSize], uint16_t count, FoldedNames& work)
{
    uint16_t n = count < kMaxApps ? count : kMaxApps;
    for (uint16_t i = 0; i < n; ++i)
        AppRowName(work.folded[i], names[i]);
    SortFolded(work, n);
}

void SortFolded(FoldedNames& work, uint16_t count)
{
    uint16_t n = count < kMaxApps ? count : kMaxApps;
    for (uint16_t i = 0; i < n; ++i)
        work.order[i] = i;
    std::sort(work.order, work.order + n, [&work](uint16_t a, uint16_t b) {
        int c = std::strcmp(work.folded[a], work.folded[b]);
        return c < 0 || (c == 0 && a < b);
    });
}

int FindFoldedName(const FoldedNames& work, uint16_t count, const char* name)
{
    char wanted[kNameSize];
    AppRowName(wanted, name);
    uint16_t n = count < kMaxApps ? count : kMaxApps;
    const uint16_t* end = work.order + n;
    const uint16_t* at = std::lower_bound(work.order, end, wanted, [&work](uint16_t a, const char* w) {
        return std::strcmp(work.folded[a], w) < 0;
    });
    return at != end && std::strcmp(work.folded[*at], wanted) == 0 ? *at : -1;
}

bool FindCaseTwins(const char (*names)[kNameSize], uint16_t count, FoldedNames& work, uint16_t& first,
                   uint16_t& second)
{
    SortFoldedNames(names, count, work);
    return FirstTwins(work, count, first, second);
}

bool FirstTwins(const FoldedNames& work, uint16_t count, uint16_t& first, uint16_t& second)
{
    uint16_t n = count < kMaxApps ? count : kMaxApps;
    bool found = false;
    // Equal forms stand side by side, each run in list order.
    for (uint16_t k = 1; k < n; ++k) {
        uint16_t a = work.order[k - 1];
        uint16_t b = work.order[k];
        if (std::strcmp(work.folded[a], work.folded[b]) != 0 || (found && b >= second))
            continue;
        first = a;
        second = b;
        found = true;
    }
    return found;
}

int FindApplication(const FlagTable& t, const InputValues& in)
{
    char wanted[kNameSize];
    AppRowName(wanted, in.inputAppName);
    for (uint16_t i = 0; i < t.appCount && i < kMaxApps; ++i) {
        char name[kNameSize];
        AppRowName(name, t.appNames[i]);
        if (std::strcmp(name, wanted) == 0)
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
    GroupEntries(t.entries, t.entryCount, g);
}

void GroupEntries(const AppFlagEntry* entries, uint16_t count, EntriesByApp& g)
{
    uint16_t n = count < kMaxEntries ? count : kMaxEntries;
    std::memset(g.first, 0, sizeof g.first);
    for (uint16_t i = 0; i < n; ++i) {
        if (entries[i].appIndex < kMaxApps)
            ++g.first[entries[i].appIndex + 1];
    }
    for (int a = 0; a < kMaxApps; ++a)
        g.first[a + 1] = static_cast<uint16_t>(g.first[a + 1] + g.first[a]);
    // Each application's start serves as its cursor and so ends as the next
    // application's start: shifting the starts back by one restores them.
    for (uint16_t i = 0; i < n; ++i) {
        uint16_t app = entries[i].appIndex;
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

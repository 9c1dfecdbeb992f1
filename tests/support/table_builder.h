// Tables for the native tests, built field by field as a load would leave them.
#pragma once

#include <cstring>
#include <initializer_list>
#include <memory>

#include <gtest/gtest.h>

#include "table/flag_table.h"

// The table is too large for the stack; its history is freed with it.
struct FreeTable {
    void operator()(FlagTable* t) const
    {
        FreeHistory(t->history);
        delete t;
    }
};
using TablePtr = std::unique_ptr<FlagTable, FreeTable>;

inline TablePtr NewTable()
{
    TablePtr t(new FlagTable());
    std::memset(t.get(), 0, sizeof(FlagTable));
    return t;
}

inline void AddApp(FlagTable& t, const char* name)
{
    std::strcpy(t.appNames[t.appCount], name);
    ++t.appCount;
}

inline AppFlagEntry& AddEntry(FlagTable& t, uint16_t app, uint32_t ms, uint32_t ls, uint32_t low = 0,
                              uint32_t high = 0, uint32_t tag = 1)
{
    AppFlagEntry& e = t.entries[t.entryCount++];
    e = {app, tag, ms, ls, low, high};
    return e;
}

// What the input dialogs return.
inline InputValues Input(const char* name, uint32_t ms = 0, uint32_t ls = 0)
{
    InputValues in = {};
    std::strcpy(in.inputAppName, name);
    in.inputVersionMS = ms;
    in.inputVersionLS = ls;
    return in;
}

// One AddEntry call's arguments, for a run of entries written as a list.
struct EntryRow {
    uint16_t app;
    uint32_t ms, ls, low = 0, high = 0, tag = 1;
};

inline void AddApps(FlagTable& t, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        AddApp(t, name);
}

inline void AddEntries(FlagTable& t, std::initializer_list<EntryRow> entries)
{
    for (const EntryRow& e : entries)
        AddEntry(t, e.app, e.ms, e.ls, e.low, e.high, e.tag);
}

inline void AddTable(FlagTable& t, std::initializer_list<const char*> names, std::initializer_list<EntryRow> entries)
{
    AddApps(t, names);
    AddEntries(t, entries);
}

// An entry's two flag words, or its version, compared as one.
inline ::testing::AssertionResult FlagsAre(const AppFlagEntry& e, uint32_t low, uint32_t high)
{
    if (e.flagsLow == low && e.flagsHigh == high)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "flags " << e.flagsLow << " " << e.flagsHigh << ", expected "
                                         << low << " " << high;
}

inline ::testing::AssertionResult VersionIs(const AppFlagEntry& e, uint32_t ms, uint32_t ls)
{
    if (e.versionMS == ms && e.versionLS == ls)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << "version " << e.versionMS << "-" << e.versionLS
                                         << ", expected " << ms << "-" << ls;
}

// A table's (or a decoded file's) application and entry counts, compared as one.
template <typename Table>
::testing::AssertionResult CountsAre(const Table& t, int apps, int entries)
{
    if (t.appCount == apps && t.entryCount == entries)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << t.appCount << " applications and " << t.entryCount
                                         << " entries, expected " << apps << " and " << entries;
}

// A native test that starts on an empty table, t.
class TableTest : public ::testing::Test {
protected:
    TablePtr t = NewTable();
};

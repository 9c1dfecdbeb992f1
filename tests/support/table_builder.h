// Tables for the native tests, built field by field as a load would leave them.
#pragma once

#include <cstring>
#include <memory>

#include "table/flag_table.h"

// The table is too large for the stack.
inline std::unique_ptr<FlagTable> NewTable()
{
    auto t = std::make_unique<FlagTable>();
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

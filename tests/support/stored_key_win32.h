// The flag table's registry key as every test tier sees it: read whole,
// written value by value, and the contents a table should leave there,
// encoded here, apart from the program.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "printer_setup_win32.h"

struct StoredValue {
    DWORD type = 0;
    std::vector<unsigned char> data;
    bool operator==(const StoredValue& o) const { return type == o.type && data == o.data; }
    // Little-endian word i of the data, 0 beyond its end.
    uint32_t Word(size_t i) const;
};

// Every value of the key by name.
using KeyContents = std::map<std::string, StoredValue>;

std::ostream& operator<<(std::ostream& os, const StoredValue& v);
std::ostream& operator<<(std::ostream& os, const KeyContents& key);

// The registry view the helpers here use (KEY_WOW64_64KEY or
// KEY_WOW64_32KEY); 0, the process's own, unless a test says otherwise.
extern REGSAM testView;

// Every value of the key; empty when the key is absent.
KeyContents ReadKey();
bool KeyExists();
const StoredValue* FindValue(const KeyContents& key, const std::string& name);
// What a save of this table leaves in the key: one "APP-NAME-NN" value per
// version numbered 01, 02, ... in table order, APPINFO and APPINFO-SIZE,
// every name in upper case (or as given: the key as WriteTestTable leaves it).
KeyContents KeyForTable(const TestApp* apps, int appCount, bool namesAsGiven = false);
// The key holds exactly these values, names compared with their case.
::testing::AssertionResult KeyHolds(const KeyContents& expected);

// Single values put into the key, which is created when absent.
void PutValue(const char* name, DWORD type, const void* data, DWORD length);
// The key holding exactly these values, and no subkey.
void WriteKey(const KeyContents& contents);
// A key under the key (created with it when absent); the caller closes it.
HKEY CreateSubkey(const char* name);
// APPINFO with its terminator, and APPINFO-SIZE.
void PutAppInfo(const char* text, DWORD size);
void PutVersion(const char* valueName, uint32_t tag, uint32_t ms, uint32_t ls, uint32_t low, uint32_t high);
bool DeleteStoredValue(const char* name);

// The keys beside the table's own under APPFLAG, by name.
std::vector<std::string> KeysBesideTable();
// APPFLAG with everything under it: the table's key and what is beside it.
void DeleteAppFlagTree();
// The key holds `a` or `b` whole. After a repair nothing is beside it;
// before one the key may also be missing with two keys beside it, as a save
// cut off between its renames leaves it.
::testing::AssertionResult HoldsOneOf(const KeyContents& a, const KeyContents& b, bool repaired);

// The registry key as the printer driver reads it, seen from the test: the
// driver runs in the program's prefix, so it reads the very key the program
// saves. The expected contents are encoded here, apart from the program.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printer_setup_win32.h"

struct StoredValue {
    std::string name;
    DWORD type = 0;
    std::vector<unsigned char> data;
};

// Every value of the key, sorted by name; false when the key is absent.
bool ReadStoredKey(std::vector<StoredValue>& values);
// What a save of this table leaves in the key: one "APP-NAME-NN" value per
// version numbered 01, 02, ... in table order, APPINFO and APPINFO-SIZE,
// every name in upper case (or as given: the key as WriteTestTable left it).
std::vector<StoredValue> KeyForTable(const TestApp* apps, int appCount, bool namesAsGiven = false);
// The key holds exactly these values (names compared with their case).
::testing::AssertionResult KeyHolds(const std::vector<StoredValue>& expected);
// A value no save writes, put into the key beside the table.
int AddStoredValue(const char* name, DWORD data);

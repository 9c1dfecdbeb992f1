// The controls the table operations work on, as the main window makes them,
// under a hidden parent of the test's choosing.
#pragma once

#include <windows.h>

#include "table/flag_table.h"

struct TableControls {
    HWND parent;
    HWND appCombo;      // control 702
    HWND versionCombo;  // control 703
    HWND boxes[kFlagCount];  // controls 801..864
};

// parentClass "STATIC" unless the test registers a recording class.
void CreateTableControls(TableControls& c, const char* parentClass = "STATIC");

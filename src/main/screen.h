// What the main window shows of the editor's state, as data: the display
// puts exactly this on the screen, and tests read it without a window.
#pragma once

#include <cstdint>

#include "table/flag_table.h"

struct Screen {
    int32_t appRow;       // the application list's selected row, -1 none
    uint16_t versionApp;  // the application whose versions the list shows
    int32_t versionRow;   // the version list's selected row, -1 none
    uint32_t checks[2];   // the boxes: flags 01..32, 33..64
};

// The application list holds every name in table order, the version list
// the versions of versionApp in table order.
Screen ScreenOf(const FlagTable& t);
// The same with the version row already known (RowOfCurrentEntry), so that
// a caller that keeps it walks no entries.
Screen ScreenWithVersionRow(const FlagTable& t, int32_t versionRow);

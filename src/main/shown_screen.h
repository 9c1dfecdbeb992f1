// The display's own part of the window's record.
#pragma once

#include <cstdint>

#include "main/enabling.h"

// What the display last put on the screen, its own: a list is rebuilt, a
// selection made, the boxes set and the menu applied only when they changed,
// so that a click costs what the click needs whatever the table's size.
// Nothing but display_win32.cpp reads or writes it.
struct ShownScreen {
    int valid;
    uint32_t appRowsChanges;
    uint32_t versionRowsChanges;
    uint16_t versionApp;
    int32_t versionRows;  // how many the version list holds
    int32_t appRow;
    int32_t versionRow;
    uint16_t versionRowEntry;  // the entry versionRow was found for
    uint32_t checks[2];
    EditorSnapshot enabling;
    int stepItemsValid;
    EditorSnapshot stepItems;  // what the Undo and Redo items were made from
};

// Moves the whole flag table between the driver's registry key and the editor.
#pragma once

#include <windows.h>

#include "table/flag_table_win32.h"

// Rebuilds the table, both lists and the boxes from the key. Messages are
// owned by the parent of the application combo box (the main window).
void LoadFlagTable(FlagTable& t, HWND appCombo, HWND versionCombo, FlagBoxes flagBoxes);
// Replaces the key's contents with the table, names taken from the rows of
// the application combo box. 1 when every write succeeded.
int SaveFlagTable(const FlagTable& t, HWND appCombo);

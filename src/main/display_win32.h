// The one way from the editor's state to the screen: the two lists, the 64
// boxes and the enabling, drawn from the table; and the few reads of what
// the user picked. The only file that speaks to the combo boxes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/main_controls_win32.h"
#include "main/enabling.h"
#include "table/flag_table.h"

// What the display last put on the screen: a list is rebuilt only when its
// rows changed, the enabling only applied when it changed.
struct ShownScreen {
    int valid;
    uint32_t appRowsChanges;
    uint32_t versionRowsChanges;
    uint16_t versionApp;
    EditorSnapshot enabling;
};

void ShowEditor(const MainControls& c, const FlagTable& t, const EditorSnapshot& s, ShownScreen& shown);

// The parts of it: every application name as a row; the versions of `app`
// in table order as rows; the flag words the table says the boxes show.
void FillAppList(const FlagTable& t, HWND appCombo);
void FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app);
void ShowFlags(const FlagTable& t, const HWND* flagBoxes);

// The row a list selects, -1 when none: what the user picked.
int32_t SelectedRow(HWND combo);
void SelectRow(HWND combo, int32_t row);
// A row of the printer list.
void AddRow(HWND combo, const char* text);
void ClearRows(HWND combo);

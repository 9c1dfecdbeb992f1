// The one way from the editor's state to the screen: the two lists, the 64
// boxes and the enabling, drawn from the table; and the few reads of what
// the user picked. The only file that speaks to the combo boxes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/main_controls_win32.h"
#include "main/enabling.h"
#include "printer/printer_list_win32.h"
#include "table/app_search.h"
#include "table/flag_table.h"

// What the display last put on the screen: a list is rebuilt, a selection
// made, the boxes set and the enabling applied only when they changed, so
// that a click costs what the click needs whatever the table's size.
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
    // Made again with the application list's rows, so that Find never has
    // to; null: none is kept.
    AppSearchIndex* appSearch;
};

// A flag box the user toggled shows its new state already.
void NoteBoxToggled(ShownScreen& shown, int flagIndex, int checked);

// After every command: the lists, the boxes and the enabling by EditorSnapshot.
void ShowEditor(const MainControls& c, const FlagTable& t, int printerFound, ShownScreen& shown);

// The parts of it: every application name as a row; the versions of `app`
// in table order as rows; the flag words the table says the boxes show.
void FillAppList(const FlagTable& t, HWND appCombo);
// FillVersionList returns the number of rows.
int32_t FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app);
void ShowFlagWords(const uint32_t words[2], const HWND* flagBoxes);

// The row a list selects, -1 when none: what the user picked.
int32_t SelectedRow(HWND combo);
void SelectRow(HWND combo, int32_t row);
// The printers of the model into the printer list; with one found, row 0
// is selected and CBN_SELCHANGE posted to the list's parent, as a pick would.
PrinterSearch ShowPrinters(HWND printerCombo);

// The one way from the editor's state to the screen: the two lists, the 64
// boxes, the enabling and the texts of the menu, drawn from the window's
// record; and the few reads of what the user picked. The only file that
// speaks to the combo boxes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "base/main_controls_win32.h"
#include "main/enabling.h"
#include "printer/printer_list_win32.h"
#include "table/flag_table.h"

struct CommandRow;
struct EditorWindow;

// A flag box the user toggled shows its new state already.
void NoteBoxToggled(EditorWindow& w, int flagIndex, int checked);

// After every command: the lists, the boxes, and the menu items of `rows`
// enabled or greyed by the snapshot, those named after a step excepted.
void ShowEditor(EditorWindow& w, const CommandRow* rows, size_t rowCount);
// As a menu opens (a key of the accelerator table opens it too, unseen):
// the items named after a step, by the same snapshot.
void ShowStepItems(EditorWindow& w, const CommandRow* rows, size_t rowCount);

// The parts of it: every application name as a row; the versions of `app`
// in table order as rows; the flag words on the 64 boxes.
void FillAppList(const FlagTable& t, HWND appCombo);
// FillVersionList returns the number of rows.
int32_t FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app);
void ShowFlags(const uint32_t words[2], const HWND* flagBoxes);

// The row a list's cursor is on, -1 when none: what the user picked.
int32_t ListCursor(HWND combo);
void SetListCursor(HWND combo, int32_t row);
// The printers of the model into the printer list; with one found, row 0
// is selected and CBN_SELCHANGE posted to the list's parent, as a pick would.
PrinterSearch ShowPrinters(HWND printerCombo);

// What the lists and boxes show of the flag table.
#pragma once

#include <windows.h>

#include "table/flag_table.h"

// flagBoxes[k] is the check box of flag k + 1 (control 801 + k).
using FlagBoxes = const HWND*;

// Rows of the application list are upper case on every platform: Wine's
// combo box does not convert inserted rows as CBS_UPPERCASE promises.
// AppRowName gives that text (kNameSize bytes), which Save stores.
void AppRowName(char* out, const char* name);
void InsertAppRow(HWND appCombo, int position, const char* name);
void AppendVersionRow(HWND versionCombo, const AppFlagEntry& e);
// Text of a combo box row into out (outSize bytes, always terminated); false
// when the row does not exist or is longer than the buffer.
bool GetComboRowText(HWND combo, int row, char* out, size_t outSize);

void UncheckAllFlags(FlagBoxes flagBoxes);
void ShowFlagWords(uint32_t flagsLow, uint32_t flagsHigh, FlagBoxes flagBoxes);
void ShowFlags(const FlagTable& t, uint16_t e, FlagBoxes flagBoxes);
// The versions of `app` as rows, row 0 selected, and the flags of its first
// version; without one the boxes keep what they show. Reads the table only:
// the caller selects (SelectApplication).
void FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app, FlagBoxes flagBoxes);
// A loaded or imported table into both lists and the boxes: every
// application, the first one's versions, the flags of entry 0 when it is
// the first application's, row 0 of both lists selected.
void ShowTable(const FlagTable& t, HWND appCombo, HWND versionCombo, FlagBoxes flagBoxes);
// The row a list selects, -1 when none: what the user picked.
int32_t SelectedRow(HWND combo);

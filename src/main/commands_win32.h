// WM_COMMAND of the main window: menu commands, accelerators and control
// notifications, dispatched through one table of command rows, the one list
// of the window's commands.
#pragma once

#include <windows.h>

#include <cstddef>

#include "main/command_row_win32.h"
#include "main/editor_window_win32.h"

// Every row, for the display to walk the menu by.
const CommandRow* CommandRows(size_t* count);
// The row that handles an ID with a code, or null when nothing acts on it.
const CommandRow* FindCommandRow(UINT id, UINT code);

// The close box, Alt+F4 and the system menu's Close: false for Cancel.
bool CloseBoxCheck(EditorWindow& w);

// WM_INITMENUPOPUP: a menu opens, or a key looks its command up in it.
void OnMenuOpening(EditorWindow& w);

// Always 0: WM_COMMAND never reaches the default window procedure. A
// command whose need is not met does nothing; after every other the
// display puts the record on the screen.
LRESULT OnCommand(EditorWindow& w, WPARAM wParam, LPARAM lParam);

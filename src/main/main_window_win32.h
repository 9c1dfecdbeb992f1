// The main window, class "APPEDIT": its controls, its captions and its end.
// One per process; the flag table and the control handles live here.
#pragma once

#include <windows.h>

#include "main/main_controls_win32.h"
#include "table/flag_table.h"

extern const char kMainClassName[];  // "APPEDIT"

// Registers "APPEDIT" with the icon and the menu of `instance`; 1 or 0.
int RegisterMainClass(HINSTANCE instance);
// Creates the fixed-size main window laid out in cyUnit (the menu-bar
// height); its WM_CREATE builds the controls and posts IDM_STARTUP. Null
// when creation fails.
HWND CreateMainWindow(HINSTANCE instance, int cyUnit);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// One string of the program's string table, in a buffer of 260 characters
// of each function's own; a missing string gives "". Each call overwrites the
// previous result of the same function, so a message box can take its
// caption from one and its text from the other.
const char* LoadResText(UINT id);
const char* LoadResCaption(UINT id);

HINSTANCE ProgramInstance();
// The window and control handles, all null before the window exists.
const MainControls& MainWindowControls();
FlagTable& MainFlagTable();
int MainCyUnit();
int MainAvgCharWidth();

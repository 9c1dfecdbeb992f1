// The main window, class "APPEDIT": its controls, its captions and its end.
// One per process; its record (editor_window_win32.h) lives here.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "main/layout.h"
#include "table/flag_table.h"

extern const char kMainClassName[];  // "APPEDIT"

// Registers "APPEDIT" with the icon and the menu of `instance`; 1 or 0.
int RegisterMainClass(HINSTANCE instance);
// Creates the fixed-size main window laid out in cyUnit (the menu-bar
// height); its WM_CREATE builds the controls and posts IDM_STARTUP. On a
// monitor whose scale is not the system's it takes that monitor's menu-bar
// height instead, and on WM_DPICHANGED it lays itself out again. Null when
// creation fails.
HWND CreateMainWindow(HINSTANCE instance, int cyUnit);
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct EditorWindow;

// The window's record; its control handles all null before the window exists.
EditorWindow& MainEditor();
const MainControls& MainWindowControls();
FlagTable& MainFlagTable();
int MainCyUnit();
int MainAvgCharWidth();
// The DPI the window is laid out for, and caption i (0..3) as it is painted.
UINT MainDpi();
const CaptionLayout& MainCaption(int i);

// The display scale the main window is drawn at, and what its layout takes
// from it. The calls that older Windows lack are looked up at run time:
// without them every monitor has the system's DPI.
#pragma once

#include <windows.h>

// The DPI of the screen as this process sees it (LOGPIXELSY): the one DPI
// on Windows before 8.1, and the one the stock fonts are made for.
UINT SystemDpi();
// The DPI of the monitor the window is on: GetDpiForWindow (Windows 10
// 1607), else GetDpiForMonitor of shcore.dll (8.1), else SystemDpi.
UINT WindowDpi(HWND window);
// The menu-bar height at a DPI, the layout's unit: GetSystemMetricsForDpi
// (Windows 10 1607), else the system's height scaled from SystemDpi.
int MenuHeightForDpi(UINT dpi);
// DEFAULT_GUI_FONT's face at a DPI; null at SystemDpi, where the stock font
// itself is that font. The caller deletes a font it gets.
HFONT CreateGuiFontForDpi(UINT dpi);

// The only code that enables and greys menu items and controls.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"

void EnableMenuCommand(HWND window, UINT command, bool on);
void EnableControl(HWND control, bool on);
// Delete Version and Sort Version need a second row in the version list.
void UpdateVersionCommands(const MainControls& c);
// The editing commands, the application and version lists and the 64 boxes.
void SetEditingState(const MainControls& c, bool on);
// No supported printer: only About and Exit stay available.
void SetNoPrinterState(const MainControls& c);

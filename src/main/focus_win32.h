// Keyboard focus navigation of the main window: Tab, Shift+Tab, the Alt
// shortcuts and the focus memory used when the window gets the focus back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/main_controls_win32.h"

// The control that holds, or last held, the focus: 701..703 or 801..864;
// 0 until the start-up command has run.
uint16_t FocusedControl();
// Records a control that took the focus by itself (a click, a list's
// set-focus notification).
void NoteFocus(uint16_t id);
// A new main window: nothing has held the focus yet.
void ForgetFocus();

// The handle of a ring control by its ID; null for any other ID.
HWND RingControlHandle(const MainControls& c, uint16_t id);
// Gives the control the focus, then records it. The focus notifications of
// the losing and the gaining combo box run inside this call.
void FocusControl(const MainControls& c, uint16_t id);
void FocusNext(const MainControls& c);
void FocusPrevious(const MainControls& c);
// WM_SETFOCUS of the main window: back to focusedControl, if any.
void RestoreFocus(const MainControls& c);

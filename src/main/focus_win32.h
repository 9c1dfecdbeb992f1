// Keyboard focus navigation of the main window: Tab, Shift+Tab, the Alt
// shortcuts and the focus memory (the record's focusedControl) used when the
// window gets the focus back.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/main_controls_win32.h"

struct EditorWindow;

// The handle of a ring control by its ID; null for any other ID.
HWND RingControlHandle(const MainControls& c, uint16_t id);
// Gives the control the focus, then records it. The focus notifications of
// the losing and the gaining combo box run inside this call.
void FocusControl(EditorWindow& w, uint16_t id);
void FocusNext(EditorWindow& w);
void FocusPrevious(EditorWindow& w);
// WM_SETFOCUS of the main window: back to focusedControl, if any.
void RestoreFocus(const EditorWindow& w);

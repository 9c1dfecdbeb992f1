// The program's own dialogs (New Application, New Version) worked from
// outside: found by caption, clicked and typed into with real input while
// the main window waits behind them, disabled.
#pragma once

#include "driver_win32.h"

#include <string>

// The visible dialog of the program's thread with this caption.
::testing::AssertionResult WaitForDialog(AppProcess& app, const char* caption, HWND& dialog,
                                         DWORD timeoutMs = kMessageBoxTimeoutMs);
// A real click on a control of the dialog, the dialog in the foreground.
::testing::AssertionResult ClickDialogControl(AppProcess& app, HWND dialog, int id);
// Clicks the field, then types the characters with SendInput (TypeText).
::testing::AssertionResult FillDialogField(AppProcess& app, HWND dialog, int id, const char* text);
::testing::AssertionResult WaitForDialogClosed(AppProcess& app, HWND dialog, DWORD timeoutMs = kMessageBoxTimeoutMs);

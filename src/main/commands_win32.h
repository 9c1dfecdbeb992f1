// WM_COMMAND of the main window: menu commands, accelerators and control
// notifications, dispatched through one table of command rows.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "main/enabling.h"
#include "table/flag_table.h"

// Row code for menu commands and accelerators: the notification code is not
// looked at.
constexpr int kAnyCode = -1;

struct CommandContext {
    const MainControls& controls;
    FlagTable& table;
    HINSTANCE instance;  // the program's, for its dialogs
    UINT id;             // control or command ID (low word of wParam)
    UINT code;           // notification code (high word)
    HWND control;        // the notifying control (lParam), null for commands
    int arg;             // the row's argument
};

using CommandHandler = void (*)(const CommandContext&);

// Acts on IDs firstId..lastId with notification `code` (or kAnyCode); arg
// is what the handler acts with (a focus target, on or off).
struct CommandRow {
    UINT firstId;
    UINT lastId;
    int code;
    CommandHandler handler;
    int arg;
};

// The window's editing state goes back to 0 when the window is created.
void ResetEditingState();

// The close box, Alt+F4 and the system menu's Close: false for Cancel.
bool CloseBoxCheck(const MainControls& c, const FlagTable& t);

// What the enabling is decided from: the table and this window's run.
EditorSnapshot EditorState(const FlagTable& t);

// Always 0: WM_COMMAND never reaches the default window procedure. After
// every command the display puts the table and EditorState on the screen.
LRESULT OnCommand(const MainControls& c, FlagTable& t, HINSTANCE instance, WPARAM wParam, LPARAM lParam);

// The row that handles an ID with a code, or null when nothing acts on it.
const CommandRow* FindCommandRow(UINT id, UINT code);

// WM_COMMAND of the main window: menu commands, accelerators and control
// notifications, dispatched through one table of command rows, the one list
// of the window's commands.
#pragma once

#include <windows.h>

#include <cstddef>

#include "main/editor_window_win32.h"
#include "main/enabling.h"

// Row code for menu commands and accelerators: the notification code is not
// looked at.
constexpr int kAnyCode = -1;

struct CommandRow;

struct CommandContext {
    EditorWindow& w;
    UINT id;          // control or command ID (low word of wParam)
    UINT code;        // notification code (high word)
    HWND control;     // the notifying control (lParam), null for commands
    const CommandRow& row;
};

using CommandHandler = void (*)(const CommandContext&);

// Acts on IDs firstId..lastId with notification `code` (or kAnyCode); arg
// is what the handler acts with (a focus target, on or off). A command runs
// only while its need is met; a menu item is greyed by it, and an item with
// a verb (Undo, Redo) is named "verb step\tkeys" after the step it takes.
struct CommandRow {
    UINT firstId;
    UINT lastId;
    int code;
    CommandHandler handler;
    int arg;
    CommandNeed need;
    bool menuItem;
    const char* verb;
    const char* keys;
};

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

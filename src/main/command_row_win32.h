// A row of the window's command table: what a command ID (and code) runs,
// with what it needs to be enabled and how its menu item is named.
#pragma once

#include <windows.h>

#include "main/enabling.h"

// Row code for menu commands and accelerators: the notification code is not
// looked at.
constexpr int kAnyCode = -1;

struct CommandRow;
struct EditorWindow;

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

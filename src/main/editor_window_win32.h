// The main window's state as one record, made at WM_CREATE and handed to the
// command dispatch and to the display: its controls, the table, the printer
// state, what is shown and the focus.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/main_controls_win32.h"
#include "main/find_command_win32.h"
#include "main/shown_screen.h"
#include "table/app_search.h"
#include "table/flag_table.h"

struct EditorWindow {
    HINSTANCE instance;  // the program's, for its dialogs
    MainControls controls;
    FlagTable table;  // the program's one flag table
    // The printer state: discovery has run, it listed a printer of the
    // model, and the printer whose table was loaded last.
    int printerSearched;
    int printerFound;
    uint16_t lastPrinterRow;
    // While set, the list losing the focus starts no text check: the
    // closing sequence runs the checks itself.
    int suppressAppCheck;
    int suppressVersionCheck;
    // The control that holds, or last held, the focus: 701..703 or
    // 801..864; 0 until the start-up command has run.
    uint16_t focusedControl;
    ShownScreen shown;  // the display's own
    FindState find;
    // Made again by the display with the application list's rows, so that
    // a find never has to (it checks itself all the same).
    AppSearchIndex appSearch;
};

// The record of a new main window: everything 0 (a history left by an
// earlier window freed), the table's editing session started.
void MakeEditorWindow(EditorWindow& w, HWND window, HINSTANCE instance);

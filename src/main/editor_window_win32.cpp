#include "main/editor_window_win32.h"

#include <cstring>

#include "table/flag_table_edit.h"

void MakeEditorWindow(EditorWindow& w, HWND window, HINSTANCE instance)
{
    // Too large for the stack as a whole record: cleared in place.
    FreeHistory(w.table.history);
    std::memset(&w, 0, sizeof w);
    w.instance = instance;
    w.controls.window = window;
    StartEditSession(w.table);
}

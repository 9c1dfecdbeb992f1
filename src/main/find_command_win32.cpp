#include "main/find_command_win32.h"

#include <cstdio>

#include "base/message_box_win32.h"
#include "dialogs/dialogs_win32.h"
#include "main/editor_window_win32.h"
#include "main/focus_win32.h"
#include "resource.h"
#include "table/app_search.h"
#include "table/flag_table_edit.h"

void FindCommand(EditorWindow& w, bool askText)
{
    if (askText || !w.find.text[0]) {
        FindDialogParam param = {w.find.text, static_cast<int>(sizeof w.find.text)};
        if (DialogBoxParamA(w.instance, "FINDAPPLICATION", w.controls.window, FindDlgProc,
                            reinterpret_cast<LPARAM>(&param)) != IDOK)
            return;
    }
    FocusControl(w, IDC_APPLICATION);
    int app = FindNextApplication(w.table, w.table.currentApp, w.find.text, w.appSearch);
    if (app < 0) {
        char text[kNameSize + 32];
        std::snprintf(text, sizeof text, "Cannot find \"%s\".", w.find.text);
        ShowAppMessage(w.controls.window, text, MB_OK | MB_ICONINFORMATION);
        return;
    }
    SelectApplication(w.table, static_cast<uint16_t>(app));
}

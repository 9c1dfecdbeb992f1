#include "main/find_command_win32.h"

#include <cstdio>

#include "base/message_box_win32.h"
#include "dialogs/dialogs_win32.h"
#include "main/focus_win32.h"
#include "resource.h"
#include "table/app_search.h"
#include "table/edit_commands.h"

void FindCommand(FlagTable& t, const MainControls& c, HINSTANCE instance, FindState& find, AppSearchIndex& index,
                 bool askText)
{
    if (askText || !find.text[0]) {
        FindDialogParam param = {find.text, static_cast<int>(sizeof find.text)};
        if (DialogBoxParamA(instance, "FINDAPPLICATION", c.window, FindDlgProc, reinterpret_cast<LPARAM>(&param)) !=
            IDOK)
            return;
    }
    FocusControl(c, IDC_APPLICATION);
    int app = FindNextApplication(t, t.currentApp, find.text, index);
    if (app < 0) {
        char text[kNameSize + 32];
        std::snprintf(text, sizeof text, "Cannot find \"%s\".", find.text);
        ShowAppMessage(c.window, text, MB_OK | MB_ICONINFORMATION);
        return;
    }
    PickApplication(t, static_cast<uint16_t>(app));
}

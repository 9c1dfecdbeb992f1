#include "main/enabling_win32.h"

#include "resource.h"

namespace {

// The commands of the menu template, About and Exit included.
const UINT kMenuCommands[] = {
    IDM_SAVE,   IDM_IMPORT,   IDM_EXPORT,     IDM_EXIT,      IDM_COPY,          IDM_PASTE,       IDM_CLEARALL,
    IDM_CHECKALL, IDM_NEWAPP, IDM_NEWVERSION, IDM_DELETEAPP, IDM_DELETEVERSION, IDM_SORTVERSION, IDM_ABOUT,
    IDM_FIND,
};

void EnableControl(HWND control, bool on)
{
    EnableWindow(control, on ? TRUE : FALSE);
}

}  // namespace

void ApplyEnabling(const MainControls& c, const EditorSnapshot& s)
{
    // The menu bar is not redrawn: every item lives in a popup.
    HMENU menu = GetMenu(c.window);
    for (UINT command : kMenuCommands)
        EnableMenuItem(menu, command, MF_BYCOMMAND | (CommandEnabled(s, command) ? MF_ENABLED : MF_GRAYED));
    EnableControl(c.printerCombo, ControlEnabled(s, IDC_PRINTER));
    EnableControl(c.appCombo, ControlEnabled(s, IDC_APPLICATION));
    EnableControl(c.versionCombo, ControlEnabled(s, IDC_VERSION));
    for (int k = 0; k < kFlagCount; ++k)
        EnableControl(c.flagBoxes[k], ControlEnabled(s, FlagBoxId(k)));
}

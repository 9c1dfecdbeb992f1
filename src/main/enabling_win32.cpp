#include "main/enabling_win32.h"

#include "main/commands_win32.h"
#include "resource.h"

namespace {

// The control as the snapshot allows, unless it was so before.
void EnableControl(HWND control, unsigned id, const EditorSnapshot& s, const EditorSnapshot* before)
{
    bool on = ControlEnabled(s, id);
    if (!before || ControlEnabled(*before, id) != on)
        EnableWindow(control, on ? TRUE : FALSE);
}

}  // namespace

void ApplyEnabling(const MainControls& c, const EditorSnapshot& s, const EditorSnapshot* before,
                   const CommandRow* rows, size_t rowCount)
{
    // The menu bar is not redrawn: every item lives in a popup.
    HMENU menu = GetMenu(c.window);
    for (size_t i = 0; i < rowCount; ++i) {
        const CommandRow& row = rows[i];
        if (!row.menuItem)
            continue;
        bool on = CommandEnabled(s, row.need);
        UINT state = on ? MF_ENABLED : MF_GRAYED;
        if (row.verb) {
            char text[96];
            StepItemText(text, sizeof text, s, row.need, row.verb, row.keys);
            char was[96] = "";
            if (before)
                StepItemText(was, sizeof was, *before, row.need, row.verb, row.keys);
            if (!before || CommandEnabled(*before, row.need) != on || lstrcmpA(text, was) != 0)
                ModifyMenuA(menu, row.firstId, MF_BYCOMMAND | MF_STRING | state, row.firstId, text);
        } else if (!before || CommandEnabled(*before, row.need) != on) {
            EnableMenuItem(menu, row.firstId, MF_BYCOMMAND | state);
        }
    }
    EnableControl(c.printerCombo, IDC_PRINTER, s, before);
    EnableControl(c.appCombo, IDC_APPLICATION, s, before);
    EnableControl(c.versionCombo, IDC_VERSION, s, before);
    for (int k = 0; k < kFlagCount; ++k)
        EnableControl(c.flagBoxes[k], FlagBoxId(k), s, before);
}

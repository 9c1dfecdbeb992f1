#include "main/enabling_win32.h"

#include "main/command_row_win32.h"
#include "resource.h"

namespace {

// The control as the snapshot allows.
void EnableControl(HWND control, unsigned id, const EditorSnapshot& s)
{
    EnableWindow(control, ControlEnabled(s, id) ? TRUE : FALSE);
}

// Whether a control of that ID is enabled alike in both snapshots.
bool SameControlState(const EditorSnapshot& a, const EditorSnapshot& b, unsigned id)
{
    return ControlEnabled(a, id) == ControlEnabled(b, id);
}

}  // namespace

void ApplyEnabling(const MainControls& c, const EditorSnapshot& s, const EditorSnapshot* before,
                   const CommandRow* rows, size_t rowCount)
{
    // The menu bar is not redrawn: every item lives in a popup.
    HMENU menu = nullptr;
    for (size_t i = 0; i < rowCount; ++i) {
        const CommandRow& row = rows[i];
        bool on = CommandEnabled(s, row.need);
        if (!row.menuItem || row.verb || (before && CommandEnabled(*before, row.need) == on))
            continue;
        if (!menu)
            menu = GetMenu(c.window);
        EnableMenuItem(menu, row.firstId, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    }
    if (!before || !SameControlState(*before, s, IDC_PRINTER))
        EnableControl(c.printerCombo, IDC_PRINTER, s);
    // The two lists and the 64 boxes go together.
    if (before && SameControlState(*before, s, IDC_APPLICATION))
        return;
    EnableControl(c.appCombo, IDC_APPLICATION, s);
    EnableControl(c.versionCombo, IDC_VERSION, s);
    for (int k = 0; k < kFlagCount; ++k)
        EnableControl(c.flagBoxes[k], FlagBoxId(k), s);
}

void ApplyStepItems(HWND window, const EditorSnapshot& s, const EditorSnapshot* before, const CommandRow* rows,
                    size_t rowCount)
{
    for (size_t i = 0; i < rowCount; ++i) {
        const CommandRow& row = rows[i];
        bool on = CommandEnabled(s, row.need);
        if (!row.menuItem || !row.verb ||
            (before && CommandEnabled(*before, row.need) == on && SameStep(*before, s, row.need)))
            continue;
        char text[96];
        StepItemText(text, sizeof text, s, row.need, row.verb, row.keys);
        ModifyMenuA(GetMenu(window), row.firstId, MF_BYCOMMAND | MF_STRING | (on ? MF_ENABLED : MF_GRAYED),
                    row.firstId, text);
    }
}

#include "main/focus_win32.h"

#include "base/control_ids.h"
#include "main/editor_window_win32.h"
#include "main/focus.h"

HWND RingControlHandle(const MainControls& c, uint16_t id)
{
    switch (id) {
    case IDC_PRINTER:
        return c.printerCombo;
    case IDC_APPLICATION:
        return c.appCombo;
    case IDC_VERSION:
        return c.versionCombo;
    default: {
        int k = FlagIndexOfId(id);
        return k < 0 ? nullptr : c.flagBoxes[k];
    }
    }
}

void FocusControl(EditorWindow& w, uint16_t id)
{
    HWND control = RingControlHandle(w.controls, id);
    if (control)
        SetFocus(control);
    w.focusedControl = id;
}

void FocusNext(EditorWindow& w)
{
    FocusControl(w, NextRingControl(w.focusedControl));
}

void FocusPrevious(EditorWindow& w)
{
    FocusControl(w, PreviousRingControl(w.focusedControl));
}

void RestoreFocus(const EditorWindow& w)
{
    HWND control = RingControlHandle(w.controls, w.focusedControl);
    if (control)
        SetFocus(control);
}

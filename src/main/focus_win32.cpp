#include "main/focus_win32.h"

#include "base/control_ids.h"
#include "main/focus.h"

uint16_t focusedControl = 0;

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

void FocusControl(const MainControls& c, uint16_t id)
{
    HWND control = RingControlHandle(c, id);
    if (control)
        SetFocus(control);
    focusedControl = id;
}

void FocusNext(const MainControls& c)
{
    FocusControl(c, NextRingControl(focusedControl));
}

void FocusPrevious(const MainControls& c)
{
    FocusControl(c, PreviousRingControl(focusedControl));
}

void RestoreFocus(const MainControls& c)
{
    HWND control = RingControlHandle(c, focusedControl);
    if (control)
        SetFocus(control);
}

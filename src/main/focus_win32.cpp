#include "main/focus_win32.h"

#include "base/control_ids.h"
#include "main/focus.h"

namespace {

struct FocusState {
    uint16_t focusedControl;
};

FocusState focus;

}  // namespace

uint16_t FocusedControl()
{
    return focus.focusedControl;
}

void NoteFocus(uint16_t id)
{
    focus.focusedControl = id;
}

void ForgetFocus()
{
    focus = FocusState{};
}

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
    focus.focusedControl = id;
}

void FocusNext(const MainControls& c)
{
    FocusControl(c, NextRingControl(focus.focusedControl));
}

void FocusPrevious(const MainControls& c)
{
    FocusControl(c, PreviousRingControl(focus.focusedControl));
}

void RestoreFocus(const MainControls& c)
{
    HWND control = RingControlHandle(c, focus.focusedControl);
    if (control)
        SetFocus(control);
}

// The handles of the main window and its controls, made at WM_CREATE and
// handed to the operations that keep the lists and boxes in step.
#pragma once

#include <windows.h>

#include "base/control_ids.h"

struct MainControls {
    HWND window;
    HWND printerCombo;
    HWND appCombo;
    HWND versionCombo;
    HWND flagBoxes[kFlagCount];  // [k] is the box of flag k + 1, control 801 + k
};

// The only code that enables and greys menu items and controls.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "main/enabling.h"

// Every command of the menu and every control of the window as the snapshot
// allows. Items already in that state are left as they are.
void ApplyEnabling(const MainControls& c, const EditorSnapshot& s);

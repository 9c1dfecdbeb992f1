// The only code that enables and greys menu items and controls.
#pragma once

#include <windows.h>

#include <cstddef>

#include "base/main_controls_win32.h"
#include "main/enabling.h"

struct CommandRow;

// Every menu item among the command rows (the menu is walked by them) and
// every control of the window as the snapshot allows; the Undo and Redo
// items also named by it. With the snapshot applied before, only what
// differs from it is touched.
void ApplyEnabling(const MainControls& c, const EditorSnapshot& s, const EditorSnapshot* before,
                   const CommandRow* rows, size_t rowCount);

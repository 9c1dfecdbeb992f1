// The only code that enables and greys menu items and controls.
#pragma once

#include <windows.h>

#include <cstddef>

#include "base/main_controls_win32.h"
#include "main/enabling.h"

struct CommandRow;

// Every menu item among the command rows (the menu is walked by them) but
// the items named after a step, and every control of the window, as the
// snapshot allows. With the snapshot applied before, only what differs from
// it is touched.
void ApplyEnabling(const MainControls& c, const EditorSnapshot& s, const EditorSnapshot* before,
                   const CommandRow* rows, size_t rowCount);
// The items named after a step (Undo, Redo): their text and state, the same
// way. They change on almost every click, and a menu call costs as much as
// the click itself, so they are put on the menu only as it opens.
void ApplyStepItems(HWND window, const EditorSnapshot& s, const EditorSnapshot* before, const CommandRow* rows,
                    size_t rowCount);

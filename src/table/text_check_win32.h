// The checks that run when the application or version list loses the focus:
// a changed text is offered as a new name or version, a bad one refused and
// the stored value put back. Messages are owned by c.window.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "table/flag_table.h"
#include "table/text_check.h"

void CheckAppText(FlagTable& t, const MainControls& c);
void CheckVersionText(FlagTable& t, const MainControls& c);

// The refusal shown for a name that cannot become an application; empty
// for an acceptable one.
const char* AppNameMessage(AppNameCheck problem);

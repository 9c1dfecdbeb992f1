// The editing commands as the main window runs them: the table half
// (flag_table_edit.h) plus the lists, the boxes, the enabling rules and the
// messages. Every message is owned by c.window. What the commands enable
// afterwards is decided by the main window, from the table.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "table/flag_table.h"

// After the NEWAPPLICATION dialog's OK: a new application, or a new version of
// the application of that name. 1 when the table changed, 0 after a message.
int NewApplication(FlagTable& t, const InputValues& in, const MainControls& c);
// After the NEWVERSION dialog's OK: a version of currentApp, the application
// the lists show, also when it has no version yet.
int NewVersion(FlagTable& t, const InputValues& in, const MainControls& c);

// The steps New Application and New Version build on; AddVersion adds to
// currentApp. 0, with nothing changed, when the table has no room.
int AddApplication(FlagTable& t, const InputValues& in, const MainControls& c);
int AddVersion(FlagTable& t, const InputValues& in, const MainControls& c);

// Both ask first; 1 when something was deleted. Delete Version does nothing
// while currentApp has no version on screen.
int DeleteApplication(FlagTable& t, const MainControls& c);
int DeleteVersion(FlagTable& t, const MainControls& c);
int SortVersions(FlagTable& t, const MainControls& c);

void PasteFlags(FlagTable& t, const MainControls& c);
// Check All (on) or Clear All.
void SetAllFlags(FlagTable& t, const MainControls& c, bool on);
// A notification from flag box `controlId` (IDC_FLAG01..IDC_FLAG64). Only
// BN_CLICKED counts: it stores the box's new state. 1 when handled, 0
// (nothing touched) otherwise.
int SetFlagFromBox(FlagTable& t, const MainControls& c, int controlId, int notifyCode);

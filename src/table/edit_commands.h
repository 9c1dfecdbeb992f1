// The editing commands as the user gives them: each asks its Yes/No
// questions through the caller, refuses what the table cannot take, changes
// the table through flag_table_edit.h and leaves at most one message for the
// caller to show after it. Nothing here shows anything.
#pragma once

#include <cstddef>

#include "table/flag_table.h"
#include "table/text_check.h"

constexpr size_t kMessageSize = 256;

// A Yes/No question put to the user; true for Yes.
struct Asker {
    bool (*yes)(void* context, const char* question);
    void* context;
};

// After the NEWAPPLICATION dialog's OK: a new application, or a new version
// of the application of that name. A new application offers Paste. 1 when
// the table changed; 0, with the refusal in message, otherwise.
int NewApplication(FlagTable& t, const InputValues& in, char* message);
// After the NEWVERSION dialog's OK: a version of currentApp, the application
// the lists show, also when it has no version yet.
int NewVersion(FlagTable& t, const InputValues& in, char* message);
// Both ask first; 1 when something was deleted. Delete Version does nothing
// while currentApp has no version on screen, and refuses the last version.
int DeleteApplication(FlagTable& t, const Asker& ask);
int DeleteVersion(FlagTable& t, const Asker& ask, char* message);
int SortVersions(FlagTable& t);

// The flag commands on the version on screen; without one they do nothing
// but clear the boxes. Copy says whether it copied, and offers Paste.
int CopyFlags(FlagTable& t);
void PasteFlags(FlagTable& t);
void SetAllFlags(FlagTable& t, bool on);  // Check All (on) or Clear All
// Flag box flagIndex (0..63) now shows `checked`: the flag follows it.
void SetFlagFromBox(FlagTable& t, int flagIndex, int checked);

// The checks of the text a list shows when it loses the focus: a changed
// name or version is offered (the question), a bad one refused (message)
// and the stored one shown again.
void CheckAppText(FlagTable& t, const char* text, const Asker& ask, char* message);
void CheckVersionText(FlagTable& t, const char* text, const Asker& ask, char* message);

// The refusal of a name that cannot become an application; empty for an
// acceptable one.
const char* AppNameMessage(AppNameCheck problem);

// The unsaved-changes protocol around the table: the Save command, the
// question before the table is replaced, exported or closed, and the
// Import and Export flows.
#pragma once

#include <windows.h>

#include "base/main_controls_win32.h"
#include "table/flag_table.h"

enum class SaveAnswer { Yes, No, Cancel };

extern const char kSaveQuestion[];    // "Save changes to Registory?"
extern const char kExportQuestion[];  // asked before an export

// Only while modified: Yes saves, No goes on, Cancel stops. A save that
// fails answers Cancel, so the caller keeps the edits it was asked to keep.
SaveAnswer AskSaveChanges(const FlagTable& t, const MainControls& c, const char* text);
void SaveCommand(FlagTable& t, const MainControls& c);
// True when a file's table replaced the one in memory and is shown.
bool ImportCommand(FlagTable& t, const MainControls& c);
void ExportCommand(FlagTable& t, const MainControls& c);

// The file commands' work: the stored key to an .afe, .inf or .reg file, and an
// .afe file into the editor. No messages; the callers turn 0 into theirs.
#pragma once

#include <windows.h>

#include "store/flag_file.h"
#include "table/flag_table.h"

// Write the table stored in the registry key (not the one in memory). The
// key is read whole before the file is created, so when it cannot be read an
// earlier file of that name stays as it was.
// A stored list that names an application no file can carry (a control
// character in it), or two applications equal but for letter case, is
// refused before anything is written: 0, and what was refused goes to
// `refusal` when it is given (kind None otherwise).
// 1 when the file holds the whole stored table and reads back as it.
int ExportFlagFile(const char* path, NameRefusal* refusal = nullptr);
// 1 when the file was written to its "NumItems" line; values that cannot be
// read get no line.
int ExportInfFile(const char* path, NameRefusal* refusal = nullptr);
// The registry file that regedit /s applies; 1 when it holds every value of
// the stored table.
int ExportRegFile(const char* path, NameRefusal* refusal = nullptr);
// Reads and checks the whole file before anything changes: on 0 the table
// is as it was, and two names equal but for letter case go to `refusal`
// when it is given. On 1 it holds the file's table with the first
// application and entry selected (SelectLoadedTable). modified is left alone.
int ImportFlagFile(FlagTable& t, const char* path, NameRefusal* refusal = nullptr);

// Strings of the program's string table.
#pragma once

#include <windows.h>

// String `id` of the program's string table into buffer (size characters,
// always terminated); a missing string gives "". Returns buffer.
const char* LoadResString(UINT id, char* buffer, int size);

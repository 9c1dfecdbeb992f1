// Find Application over the flag table: the next application whose name
// holds a text, letter case ignored.
#pragma once

#include <cstdint>

#include "table/flag_table.h"

// What each character of a name compares as when letter case is ignored,
// indexed by the character's byte: the Windows build folds by the system's
// code page (CharLowerBuffA), the native build ASCII letters only. Byte by
// byte, so in a double-byte code page a trail byte may fold as a letter.
const unsigned char* NameCaseFolding();

// The first application after `from` whose name contains `text`, letter case
// ignored: on to the last, round to the first, `from` itself last (an
// application beyond the table starts the search at the first). -1 when no
// name contains it, and for an empty text.
int FindNextApplication(const FlagTable& t, uint16_t from, const char* text);

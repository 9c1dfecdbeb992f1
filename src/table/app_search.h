// Find Application over the flag table: the next application whose name
// holds a text, letter case ignored.
#pragma once

#include <cstdint>

#include "table/flag_table.h"

// What the finds in a table keep between them: for each name the pairs of
// adjacent characters it holds (letter case folded) as bits of a 128-bit
// set, so that a search reads only the names that hold every pair of the
// text. Zero-filled, it is made at the first find.
struct AppSearchIndex {
    const FlagTable* table;
    uint32_t appRowsChanges;
    uint16_t appCount;
    uint32_t pairs[kMaxApps][4];
};

// Makes the index for the table's names as they are: whoever fills the
// application list can make it then, so that no find has to. A find makes it
// again itself whenever the table's application rows have changed since
// (appRowsChanges, which counts every change to a name).
void IndexApplications(AppSearchIndex& index, const FlagTable& t);

// The first application after `from` whose name contains `text`, letter case
// ignored: on to the last, round to the first, `from` itself last (an
// application beyond the table starts the search at the first). -1 when no
// name contains it, and for an empty text.
int FindNextApplication(const FlagTable& t, uint16_t from, const char* text, AppSearchIndex& index);

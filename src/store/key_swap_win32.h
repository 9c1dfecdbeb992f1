// The driver's key replaced whole: one writer at a time across processes,
// the new table written completely beside the key and swapped in with two
// renames where Windows can rename a key (Vista and later), and what a
// cut-off swap leaves behind finished or undone.
#pragma once

#include <windows.h>

#include "store/store_fault.h"

// Writes the table's values into an open, empty key; false when any write
// failed. The writer reports its own failures.
typedef bool (*TableWriter)(HKEY key, void* context);

// Takes the writers' turn, repairs leftovers, and replaces the key with
// what `write` puts into a fresh one. A failure before the swap leaves the
// earlier table as it was. Without RegRenameKey (Windows 98 to XP) the key
// is removed whole and rewritten in place, as ever, in turn. Failures of the
// key itself (no turn within a few seconds, a key that cannot be made,
// renamed or removed whole) are reported as KeyNotCreated with their code.
// 1 when the new table is in place and every write succeeded.
int ReplaceFlagKey(TableWriter write, void* context, const StoreReporter& reporter);

// What a save cut off in its swap left beside the key, and what the repair did.
enum class KeyRepair {
    None,      // nothing was left
    Finished,  // the cut-off save's table, written whole, is now in place
    Undone,    // the key holds the table from before the cut-off save
    Failed,    // leftovers remain (code says why)
};

struct RepairResult {
    KeyRepair repair;
    LONG code;
};

// Finishes or undoes a cut-off swap, in the writers' turn; afterwards the key
// holds one whole table and nothing is left beside it.
RepairResult RepairFlagKey();

// The writers' turn across processes: ERROR_SUCCESS once it is this
// thread's, else WAIT_TIMEOUT after a few seconds or the failed call's code.
// Turns nest within a thread; each taken turn is given back.
LONG TakeWriterTurn(HANDLE& turn);
void GiveBackWriterTurn(HANDLE turn);
// The writers' mutex; the name after "Global\" is its fallback.
extern const char kWriterTurnName[];
// The fresh key a save writes and the earlier key it swaps out, both in the
// key's parent.
extern const char kFreshKeyName[];
extern const char kEarlierKeyName[];

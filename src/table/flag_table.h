// The flag table: the editor's one document, the applications, their version
// entries and the 64 flag bits of each entry. Fixed-size, nothing allocated
// per entry; every index and count is unsigned 16-bit.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/control_ids.h"
#include "table/edit_history.h"

constexpr uint16_t kMaxEntries = 10000;
constexpr uint16_t kMaxApps = 5000;
constexpr size_t kMaxNameChars = 80;
constexpr size_t kNameSize = kMaxNameChars + 1;
constexpr uint16_t kFreeSlot = 0xFFFF;
// The stored application list carries each version count in two digits.
constexpr int kMaxVersionsPerApp = 99;
// "%08X-%08X"
constexpr size_t kVersionTextChars = 17;
constexpr size_t kVersionTextSize = kVersionTextChars + 1;

struct AppFlagEntry {
    uint16_t appIndex;  // owning application; kFreeSlot in a freed slot
    uint32_t tag;       // carried unchanged; 1 in entries the editor creates
    uint32_t versionMS;
    uint32_t versionLS;
    uint32_t flagsLow;   // flags 01..32, bit 0 = flag 01
    uint32_t flagsHigh;  // flags 33..64, bit 0 = flag 33
};

struct FlagTable {
    AppFlagEntry entries[kMaxEntries];
    char appNames[kMaxApps][kNameSize];
    uint16_t appCount;
    uint16_t entryCount;
    uint16_t currentApp;
    uint16_t currentEntry;
    int32_t currentVersionRow;
    int modified;
    uint32_t flagClipboard[2];
    // Copy, or New Application adding an application, since the last load
    // or import: Paste has something to give (two zero words at worst).
    int pasteOffered;
    // What the window is to show beside the selection, written with it: the
    // flag words in the boxes (an application without versions keeps those
    // of the one shown before), and a count of the changes to the rows of
    // each list, so that the display rebuilds a list only when they changed.
    uint32_t shownFlags[2];
    uint32_t appRowsChanges;
    uint32_t versionRowsChanges;
    // Every change since the last load, for Undo and Redo.
    EditHistory history;
};

// What an input dialog returns for the editing operations: the New
// Application dialog all three, the New Version dialog the version.
struct InputValues {
    char inputAppName[kNameSize];
    uint32_t inputVersionMS;
    uint32_t inputVersionLS;
};

// Zeroes every entry record and name slot and both counts (load and import);
// both lists' rows change. The history stays: ReplaceTable rules it.
void ClearTableContents(FlagTable& t);

// Case-insensitive equality of two application names. The Windows build
// links the platform's comparison (lstrcmpiA), the native build an ASCII one.
int NamesEqual(const char* a, const char* b);
int AsciiNamesEqual(const char* a, const char* b);

// Index of the application named inputAppName, or -1.
int FindApplication(const FlagTable& t, const InputValues& in);
// 1 if application `app` already has the version inputVersionMS/LS.
int VersionExistsForApp(const FlagTable& t, const InputValues& in, uint16_t app);
// 1 if the application owning entry `e` already has the version inputVersionMS/LS.
int VersionExistsForEntry(const FlagTable& t, const InputValues& in, uint16_t e);

// Table index of the row-th (from 0) entry of application `app`, or -1.
int NthEntryOfApp(const FlagTable& t, uint16_t app, int32_t row);
// Number of entries that belong to application `app`.
int CountVersions(const FlagTable& t, uint16_t app);

// Every application's entries at once, each application's in table order:
// those of application a are order[first[a]] .. order[first[a + 1] - 1].
// Built in passes over the entries and the applications, so walking the
// whole table by application costs the same per entry however many
// applications there are. Too large for the stack.
struct EntriesByApp {
    uint16_t first[kMaxApps + 1];
    uint16_t order[kMaxEntries];
};
// Entries of no application (appIndex kMaxApps or above) are left out.
void GroupEntriesByApp(const FlagTable& t, EntriesByApp& g);
// Number of entries of application `app`; 0 beyond the table's capacity.
int GroupSize(const EntriesByApp& g, int app);

// "%08X-%08X" of versionMS and versionLS into out (kVersionTextSize bytes).
void VersionText(char* out, uint32_t versionMS, uint32_t versionLS);

// Flag n (1..64) of an entry; the boxes are laid out in this order.
int FlagBit(const AppFlagEntry& e, int flagIndex);  // flagIndex 0..63
void SetFlagBit(AppFlagEntry& e, int flagIndex, int on);

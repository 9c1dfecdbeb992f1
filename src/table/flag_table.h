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

// The name as the application list shows it and the save stores it, into
// out (kNameSize bytes): upper case as the system upper-cases text of the
// ANSI code page, its upper half included. The registry tells value names
// apart without regard to case, so two names of one stored form are one
// application to the key. The Windows build links the system's conversion
// (CharUpperA); the native build converts as code page 1252 does.
void AppRowName(char* out, const char* name);
// The same conversion of a text of any length, in place.
void UpperText(char* text);
// The same conversion byte by byte, indexed by the byte, for comparisons
// that ignore letter case inside a name (Find). In a double-byte code page
// a lead byte stays as it is, and a trail byte may convert as a letter.
const unsigned char* NameCaseFolding();
// Code page 1252's upper case of one byte: what CharUpperA gives there.
unsigned char UpperCp1252(unsigned char c);
// Whether two names have the same stored form.
int NamesEqual(const char* a, const char* b);

// Work space of FindCaseTwins: too large for the stack.
struct FoldedNames {
    char folded[kMaxApps][kNameSize];
    uint16_t order[kMaxApps];
};
// The first `count` names in their stored form (AppRowName), and their
// indices in the order of those forms, each form's names in list order.
void SortFoldedNames(const char (*names)[kNameSize], uint16_t count, FoldedNames& work);
// The same sort where work.folded already holds the stored forms.
void SortFolded(FoldedNames& work, uint16_t count);
// FindCaseTwins over names sorted so.
bool FirstTwins(const FoldedNames& work, uint16_t count, uint16_t& first, uint16_t& second);
// The index of a name whose stored form is that of `name` in sorted work
// (SortFoldedNames of `count` names), the first in list order; -1 for none.
int FindFoldedName(const FoldedNames& work, uint16_t count, const char* name);
// Two of the first `count` names with the same stored form: true, with
// their indices in first < second (the pair whose second comes first in the
// list). Sorted once, not compared pair by pair.
bool FindCaseTwins(const char (*names)[kNameSize], uint16_t count, FoldedNames& work, uint16_t& first,
                   uint16_t& second);

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
// The same for the first `count` of any array of entries.
void GroupEntries(const AppFlagEntry* entries, uint16_t count, EntriesByApp& g);
// Number of entries of application `app`; 0 beyond the table's capacity.
int GroupSize(const EntriesByApp& g, int app);

// "%08X-%08X" of versionMS and versionLS into out (kVersionTextSize bytes).
void VersionText(char* out, uint32_t versionMS, uint32_t versionLS);

// Flag n (1..64) of an entry; the boxes are laid out in this order.
int FlagBit(const AppFlagEntry& e, int flagIndex);  // flagIndex 0..63
void SetFlagBit(AppFlagEntry& e, int flagIndex, int on);

// The one way the flag table changes: each function here makes one change
// with the selection and the boxes it leaves, sets `modified`, moves the
// change counts of the lists whose rows it changes and records the step that
// Undo takes back. The selection moves here too, without a step. Nothing
// here writes past the table's capacity.
#pragma once

#include <cstdint>

#include "table/flag_table.h"

// Why the table cannot take one more application or version.
enum TableRoom {
    kRoomAvailable = 0,
    kNoRoomForApplication,  // kMaxApps applications held
    kNoRoomForEntry,        // kMaxEntries entries held
    kNoRoomForVersion,      // the application has kMaxVersionsPerApp versions
};

// Room for a new application with its first version.
TableRoom RoomForApplication(const FlagTable& t);
// Room for one more version of application `app`.
TableRoom RoomForVersion(const FlagTable& t, uint16_t app);

// Appends inputAppName with its first version inputVersionMS/LS; the new
// application becomes currentApp and its entry currentEntry. 0 (no change)
// when RoomForApplication refuses or the name does not fit.
int TableAddApplication(FlagTable& t, const InputValues& in);
// Appends the version inputVersionMS/LS to application `app` as its last
// version; `app` becomes currentApp and the version currentEntry. 0 (no
// change) when there is no room.
int TableAddVersion(FlagTable& t, const InputValues& in, uint16_t app);

// What keeps New Version from adding in's inputVersionMS/LS.
enum NewVersionCheck {
    kNewVersionAccepted = 0,
    kNewVersionNoApplication,  // no application is shown
    kNewVersionExists,         // the application has that version already
    kNewVersionNoRoom,         // *room says which limit
};
// New Version adds to currentApp, the application the lists show, whether or
// not it has a version yet: currentEntry may then be another application's.
NewVersionCheck CheckNewVersion(const FlagTable& t, const InputValues& in, TableRoom* room);

// Removes application `app` with every entry and renumbers the applications
// behind it; application 0 is then selected with its first version.
int TableDeleteApplication(FlagTable& t, uint16_t app);
// Removes entry `e`, moving the later entries down; the first version of its
// application becomes current. Refuses (0) the last version of an
// application.
int TableDeleteVersion(FlagTable& t, uint16_t e);
// Selection sort of application `app`'s records by versionMS, then versionLS,
// within the slots they occupy; equal keys end as the selection sort leaves
// them. The first version becomes current.
int TableSortVersions(FlagTable& t, uint16_t app);

// Whether currentEntry is an entry of currentApp, the one the boxes show.
// An application without versions has none, and the commands that act on
// the current entry then do nothing.
bool ShowsCurrentEntry(const FlagTable& t);
// The flag commands on entry `e`, an entry of currentApp; on any other they
// do nothing. Copy leaves `modified` alone and says whether it copied; the
// others set `modified`, also when the flags stay as they were.
int TableCopyFlags(FlagTable& t, uint16_t e);
void TablePasteFlags(FlagTable& t, uint16_t e);
void TableSetAllFlags(FlagTable& t, uint16_t e, int on);
// Flag index 0..63 (flag 01..64) of entry `e` set or cleared.
void TableSetFlag(FlagTable& t, uint16_t e, int flagIndex, int on);

// A text check's change: application `app` renamed, or entry `e` given
// another version. The name must fit a name slot.
int TableRenameApplication(FlagTable& t, uint16_t app, const char* name);
int TableChangeVersion(FlagTable& t, uint16_t e, uint32_t versionMS, uint32_t versionLS);
// A text check refused or declined the list's text: the list shows the
// table's again.
void PutBackAppRows(FlagTable& t);
void PutBackVersionRows(FlagTable& t);

// Where a whole new table comes from: the registry key (a load, which starts
// a new history at the saved point) or a file (an import, one step).
enum class TableSource { Key, File };
// Fills the table's contents (the store's LoadFlagTable or ImportFlagFile);
// 0 when it failed and left them as they were.
struct TableFiller {
    int (*fill)(void* context, FlagTable& t);
    void* context;
};
// The table replaced: filled, the first application and entry selected,
// nothing copied from it yet, `modified` clear after a load and set after
// an import. 0, with nothing changed, when the filler failed.
int ReplaceTable(FlagTable& t, TableSource source, const TableFiller& filler);
// The key now holds the table (Save, or an export after the key was saved):
// `modified` clear, and Undo or Redo back to here clears it again.
void MarkTableSaved(FlagTable& t);
// A new main window: nothing modified, copied or to undo, no version row
// remembered; the contents stay.
void StartEditSession(FlagTable& t);

// Undo takes back the last step done, Redo makes the next one again, each
// with the selection and boxes shown then; `modified` is clear exactly at
// the saved point. 0 when there is no such step.
int UndoStep(FlagTable& t);
int RedoStep(FlagTable& t);

// The selection, moved without a step. Application `app` becomes current
// with its first version (the user picked its row); without a version of its
// own currentEntry stays as it was.
void SelectApplication(FlagTable& t, uint16_t app);
// The entry the lists select: version row `row` (-1: the list has no
// selection, the remembered currentVersionRow stands in) of application
// `app` (-1: none); -1 when there is no such entry.
int SelectedEntry(const FlagTable& t, int app, int32_t row);
// The user picked version row `row` (-1: none) while the application list
// shows `app`: a picked row is remembered, and the entry it selects, if
// any, becomes currentEntry with its flags in the boxes.
void SelectVersion(FlagTable& t, int app, int32_t row);
// A list took the focus while showing row `row`: that application becomes
// currentApp (nothing else moves), or that version's entry currentEntry.
void FollowApplicationFocus(FlagTable& t, int32_t row);
void FollowVersionFocus(FlagTable& t, int app, int32_t row);
// A table just loaded or imported: the first application and entry, the
// first entry's flags when it is the first application's.
void SelectLoadedTable(FlagTable& t);
// The boxes are to show no flag (a flag command without a version on screen).
void ClearShownFlags(FlagTable& t);
// The row of currentEntry among currentApp's versions, -1 when it is not one.
int32_t RowOfCurrentEntry(const FlagTable& t);

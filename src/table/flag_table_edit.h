// The steps the editing commands (edit_commands.h) are made of: what changes
// in the flag table and its selection. Nothing here writes past the table's
// capacity.
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
// version and makes it currentEntry. 0 (no change) when there is no room.
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

// Removes application `app` with every entry, renumbers the applications
// behind it and clears the freed slots; currentApp and currentEntry become 0.
int TableDeleteApplication(FlagTable& t, uint16_t app);
// Removes entry `e`, moving the later entries down; currentEntry becomes the
// first version of its application. Refuses (0) the last version of an
// application.
int TableDeleteVersion(FlagTable& t, uint16_t e);
// Selection sort of application `app`'s records by versionMS, then versionLS,
// within the slots they occupy; equal keys end as the selection sort leaves them.
int TableSortVersions(FlagTable& t, uint16_t app);

// Application `app` becomes currentApp, and its first version currentEntry;
// without a version of its own currentEntry stays as it was.
void SelectApplication(FlagTable& t, uint16_t app);
// The entry the lists select: version row `row` (-1: the list has no
// selection, the remembered currentVersionRow stands in) of application
// `app` (-1: none); -1 when there is no such entry.
int SelectedEntry(const FlagTable& t, int app, int32_t row);
// The user picked row `row` of the version list (-1: none) while the
// application list shows `app`: a picked row is remembered, and the entry
// it selects, if any, becomes currentEntry.
void TakeVersionPick(FlagTable& t, int app, int32_t row);
// The row of currentEntry among currentApp's versions, -1 when it is not one.
int32_t RowOfCurrentEntry(const FlagTable& t);

// Whether currentEntry is an entry of currentApp, the one the boxes show.
// An application without versions has none, and the commands that act on
// the current entry then do nothing.
bool ShowsCurrentEntry(const FlagTable& t);
// The flag commands on entry `e`, an entry of currentApp; on any other they
// do nothing. Copy leaves `modified` alone and says whether it copied; the
// others set `modified`.
int TableCopyFlags(FlagTable& t, uint16_t e);
void TablePasteFlags(FlagTable& t, uint16_t e);
void TableSetAllFlags(FlagTable& t, uint16_t e, int on);
// Flag index 0..63 (flag 01..64) of entry `e` set or cleared.
void TableSetFlag(FlagTable& t, uint16_t e, int flagIndex, int on);

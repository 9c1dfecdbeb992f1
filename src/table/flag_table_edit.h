// The table half of every editing command: what changes in the flag table.
// The Windows half (flag_table_edit_win32) keeps the lists and boxes in step
// and shows the messages. Nothing here writes past the table's capacity.
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

// The flag commands on entry `e`. Copy leaves `modified` alone; the others set it.
// Whether currentEntry is an entry of currentApp, the one the boxes show.
bool ShowsCurrentEntry(const FlagTable& t);
void TableCopyFlags(FlagTable& t, uint16_t e);
void TablePasteFlags(FlagTable& t, uint16_t e);
void TableSetAllFlags(FlagTable& t, uint16_t e, int on);
// Flag index 0..63 (flag 01..64) of entry `e` set or cleared.
void TableSetFlag(FlagTable& t, uint16_t e, int flagIndex, int on);

#include "table/flag_table_edit.h"

#include <cstring>

#include "table/text_check.h"

namespace {

void ClearSlot(AppFlagEntry& e)
{
    std::memset(&e, 0, sizeof e);
    e.appIndex = kFreeSlot;
}

// Moves entries e+1..entryCount-1 down by one and clears the freed last slot.
void RemoveEntry(FlagTable& t, uint16_t e)
{
    for (uint16_t i = e; i + 1 < t.entryCount; ++i)
        t.entries[i] = t.entries[i + 1];
    --t.entryCount;
    ClearSlot(t.entries[t.entryCount]);
}

void AppendEntry(FlagTable& t, const InputValues& in, uint16_t app)
{
    AppFlagEntry& e = t.entries[t.entryCount];
    e.appIndex = app;
    e.tag = 1;
    e.versionMS = in.inputVersionMS;
    e.versionLS = in.inputVersionLS;
    e.flagsLow = 0;
    e.flagsHigh = 0;
    t.currentEntry = t.entryCount;
    ++t.entryCount;
}

// Unsigned comparison of the whole version, versionMS first.
bool VersionLess(const AppFlagEntry& a, const AppFlagEntry& b)
{
    if (a.versionMS != b.versionMS)
        return a.versionMS < b.versionMS;
    return a.versionLS < b.versionLS;
}

bool ValidEntry(const FlagTable& t, uint16_t e)
{
    return e < t.entryCount && e < kMaxEntries;
}

// The flag commands edit the entry the boxes show, which is one of the
// current application's. An application whose stored versions could not be
// read has none, and currentEntry then belongs to another application.
bool EditableEntry(const FlagTable& t, uint16_t e)
{
    return ValidEntry(t, e) && t.entries[e].appIndex == t.currentApp;
}

}  // namespace

void SelectApplication(FlagTable& t, uint16_t app)
{
    t.currentApp = app;
    int e = NthEntryOfApp(t, app, 0);
    if (e >= 0)
        t.currentEntry = static_cast<uint16_t>(e);
}

int SelectedEntry(const FlagTable& t, int app, int32_t row)
{
    if (row < 0)
        row = t.currentVersionRow;
    if (row < 0 || app < 0)
        return -1;
    return NthEntryOfApp(t, static_cast<uint16_t>(app), row);
}

void TakeVersionPick(FlagTable& t, int app, int32_t row)
{
    int e = SelectedEntry(t, app, row);
    if (row >= 0)
        t.currentVersionRow = row;
    // No entry to map (an application without versions): the current entry
    // stays, so no later edit can reach past the table.
    if (e >= 0 && e < t.entryCount)
        t.currentEntry = static_cast<uint16_t>(e);
}

int32_t RowOfCurrentEntry(const FlagTable& t)
{
    if (!ShowsCurrentEntry(t))
        return -1;
    int32_t row = 0;
    for (uint16_t i = 0; i < t.currentEntry; ++i)
        row += t.entries[i].appIndex == t.currentApp;
    return row;
}

bool ShowsCurrentEntry(const FlagTable& t)
{
    return EditableEntry(t, t.currentEntry);
}

TableRoom RoomForApplication(const FlagTable& t)
{
    if (t.appCount >= kMaxApps)
        return kNoRoomForApplication;
    if (t.entryCount >= kMaxEntries)
        return kNoRoomForEntry;
    return kRoomAvailable;
}

TableRoom RoomForVersion(const FlagTable& t, uint16_t app)
{
    if (t.entryCount >= kMaxEntries)
        return kNoRoomForEntry;
    if (CountVersions(t, app) >= kMaxVersionsPerApp)
        return kNoRoomForVersion;
    return kRoomAvailable;
}

int TableAddApplication(FlagTable& t, const InputValues& in)
{
    if (RoomForApplication(t) != kRoomAvailable)
        return 0;
    // The stored list is split at ";", and an unnamed application cannot be
    // stored at all; the dialog refuses both, this keeps the table sound.
    if (AppNameProblem(in.inputAppName) != kNameAcceptable)
        return 0;
    char* slot = t.appNames[t.appCount];
    std::memcpy(slot, in.inputAppName, kNameSize);
    slot[kMaxNameChars] = '\0';
    t.currentApp = t.appCount;
    AppendEntry(t, in, t.appCount);
    ++t.appCount;
    t.modified = 1;
    return 1;
}

int TableAddVersion(FlagTable& t, const InputValues& in, uint16_t app)
{
    if (app >= t.appCount || RoomForVersion(t, app) != kRoomAvailable)
        return 0;
    AppendEntry(t, in, app);
    t.modified = 1;
    return 1;
}

NewVersionCheck CheckNewVersion(const FlagTable& t, const InputValues& in, TableRoom* room)
{
    if (t.currentApp >= t.appCount)
        return kNewVersionNoApplication;
    if (VersionExistsForApp(t, in, t.currentApp))
        return kNewVersionExists;
    TableRoom r = RoomForVersion(t, t.currentApp);
    if (room != nullptr)
        *room = r;
    return r == kRoomAvailable ? kNewVersionAccepted : kNewVersionNoRoom;
}

int TableDeleteApplication(FlagTable& t, uint16_t app)
{
    if (app >= t.appCount)
        return 0;
    uint16_t i = 0;
    while (i < t.entryCount) {
        if (t.entries[i].appIndex == app)
            RemoveEntry(t, i);  // the next entry is now at i
        else
            ++i;
    }
    for (uint16_t k = 0; k < t.entryCount; ++k) {
        if (t.entries[k].appIndex > app && t.entries[k].appIndex != kFreeSlot)
            --t.entries[k].appIndex;
    }
    t.currentEntry = 0;
    for (uint16_t k = app; k + 1 < t.appCount; ++k)
        std::memcpy(t.appNames[k], t.appNames[k + 1], kNameSize);
    std::memset(t.appNames[t.appCount - 1], 0, kNameSize);
    --t.appCount;
    t.currentApp = 0;
    t.modified = 1;
    return 1;
}

int TableDeleteVersion(FlagTable& t, uint16_t e)
{
    if (!ValidEntry(t, e))
        return 0;
    uint16_t app = t.entries[e].appIndex;
    if (CountVersions(t, app) <= 1)
        return 0;
    RemoveEntry(t, e);
    int first = NthEntryOfApp(t, app, 0);
    t.currentEntry = first < 0 ? 0 : static_cast<uint16_t>(first);
    t.modified = 1;
    return 1;
}

// Sorting in place over the application's own slots gives the same order as
// sorting a copy and writing it back, and needs no working list, so any
// number of versions is sorted and nothing can be lost.
int TableSortVersions(FlagTable& t, uint16_t app)
{
    if (app >= t.appCount)
        return 0;
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex != app)
            continue;
        uint16_t m = i;
        for (uint16_t j = i + 1; j < t.entryCount; ++j) {
            // Strictly less: among equal keys the lowest position wins.
            if (t.entries[j].appIndex == app && VersionLess(t.entries[j], t.entries[m]))
                m = j;
        }
        if (m != i) {
            AppFlagEntry held = t.entries[i];
            t.entries[i] = t.entries[m];
            t.entries[m] = held;
        }
    }
    int first = NthEntryOfApp(t, app, 0);
    if (first >= 0)
        t.currentEntry = static_cast<uint16_t>(first);
    t.modified = 1;
    return 1;
}

int TableCopyFlags(FlagTable& t, uint16_t e)
{
    if (!EditableEntry(t, e))
        return 0;
    t.flagClipboard[0] = t.entries[e].flagsLow;
    t.flagClipboard[1] = t.entries[e].flagsHigh;
    return 1;
}

void TablePasteFlags(FlagTable& t, uint16_t e)
{
    if (!EditableEntry(t, e))
        return;
    t.entries[e].flagsLow = t.flagClipboard[0];
    t.entries[e].flagsHigh = t.flagClipboard[1];
    t.modified = 1;
}

void TableSetAllFlags(FlagTable& t, uint16_t e, int on)
{
    if (!EditableEntry(t, e))
        return;
    uint32_t word = on ? 0xFFFFFFFFu : 0u;
    t.entries[e].flagsLow = word;
    t.entries[e].flagsHigh = word;
    t.modified = 1;
}

void TableSetFlag(FlagTable& t, uint16_t e, int flagIndex, int on)
{
    if (!EditableEntry(t, e) || flagIndex < 0 || flagIndex >= kFlagCount)
        return;
    SetFlagBit(t.entries[e], flagIndex, on);
    t.modified = 1;
}

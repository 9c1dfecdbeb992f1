#include "table/flag_table_edit.h"

#include <cstring>

#include "table/text_check.h"

namespace {

// What the steps keep, after their header (StepKept).

// Two words of one entry: its flags (a flag click, Clear All, Check All,
// Paste) or its version (a version applied by the text check).
struct WordsKept {
    uint16_t entry;
    uint32_t before[2];
    uint32_t after[2];
};

// New Application: its name and first entry, the last of each list.
struct NewApplicationKept {
    AppFlagEntry entry;
    char name[kNameSize];
};

// New Version and Delete Version: the entry and where it stood.
struct EntryKept {
    AppFlagEntry entry;
    uint16_t position;
};

struct RenameKept {
    uint16_t app;
    char before[kNameSize];
    char after[kNameSize];
};

// Delete Application: the application with its versions, each with the
// table index it had, ascending.
struct DeletedApplicationKept {
    uint16_t app;
    uint16_t count;
    char name[kNameSize];
};
struct PlacedEntry {
    uint16_t position;
    AppFlagEntry entry;
};

// Sort Version: the application's records in the order they had; the sort
// puts them in order again the same way.
struct SortKept {
    uint16_t app;
    uint16_t count;
};

// A whole table's contents (Import keeps the one it replaced and its own).
struct TableCopyHead {
    uint16_t appCount;
    uint16_t entryCount;
};

constexpr size_t AlignUp(size_t n, size_t a)
{
    return (n + a - 1) / a * a;
}

constexpr size_t kPlacedOffset = AlignUp(sizeof(DeletedApplicationKept), alignof(PlacedEntry));
constexpr size_t kSortedOffset = AlignUp(sizeof(SortKept), alignof(AppFlagEntry));
constexpr size_t kCopyEntriesOffset = AlignUp(sizeof(TableCopyHead), alignof(AppFlagEntry));

PlacedEntry* PlacedEntries(DeletedApplicationKept& k)
{
    return reinterpret_cast<PlacedEntry*>(reinterpret_cast<unsigned char*>(&k) + kPlacedOffset);
}

const PlacedEntry* PlacedEntries(const DeletedApplicationKept& k)
{
    return reinterpret_cast<const PlacedEntry*>(reinterpret_cast<const unsigned char*>(&k) + kPlacedOffset);
}

AppFlagEntry* SortedRecords(SortKept& k)
{
    return reinterpret_cast<AppFlagEntry*>(reinterpret_cast<unsigned char*>(&k) + kSortedOffset);
}

const AppFlagEntry* SortedRecords(const SortKept& k)
{
    return reinterpret_cast<const AppFlagEntry*>(reinterpret_cast<const unsigned char*>(&k) + kSortedOffset);
}

template <typename Kept>
Kept* KeptOf(EditStep* s)
{
    return static_cast<Kept*>(StepKept(s));
}

template <typename Kept>
const Kept* KeptOf(const EditStep* s)
{
    return static_cast<const Kept*>(StepKept(s));
}

// Whole records, the padding after appIndex included, so that a record
// moved and put back is the same bytes.
void CopyEntry(AppFlagEntry& to, const AppFlagEntry& from)
{
    std::memcpy(&to, &from, sizeof to);
}

void ClearSlot(AppFlagEntry& e)
{
    std::memset(&e, 0, sizeof e);
    e.appIndex = kFreeSlot;
}

// Moves entries e+1..entryCount-1 down by one and clears the freed last slot.
void RemoveEntry(FlagTable& t, uint16_t e)
{
    for (uint16_t i = e; i + 1 < t.entryCount; ++i)
        CopyEntry(t.entries[i], t.entries[i + 1]);
    --t.entryCount;
    ClearSlot(t.entries[t.entryCount]);
}

// Moves entries e..entryCount-1 up by one and puts `entry` at e.
void InsertEntry(FlagTable& t, uint16_t e, const AppFlagEntry& entry)
{
    for (uint16_t i = t.entryCount; i > e; --i)
        CopyEntry(t.entries[i], t.entries[i - 1]);
    CopyEntry(t.entries[e], entry);
    ++t.entryCount;
}

void NewEntry(AppFlagEntry& e, const InputValues& in, uint16_t app)
{
    std::memset(&e, 0, sizeof e);
    e.appIndex = app;
    e.tag = 1;
    e.versionMS = in.inputVersionMS;
    e.versionLS = in.inputVersionLS;
}

// A name slot holds the name, cut at kMaxNameChars, and zeros after it.
void PutName(char* slot, const char* name)
{
    std::memset(slot, 0, kNameSize);
    for (size_t i = 0; i < kMaxNameChars && name[i]; ++i)
        slot[i] = name[i];
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

void SetShownFlags(FlagTable& t, uint16_t e)
{
    if (e >= kMaxEntries)
        return;
    t.shownFlags[0] = t.entries[e].flagsLow;
    t.shownFlags[1] = t.entries[e].flagsHigh;
}

ShownSelection SelectionOf(const FlagTable& t)
{
    return {t.currentApp, t.currentEntry, t.currentVersionRow, {t.shownFlags[0], t.shownFlags[1]}};
}

void PutSelection(FlagTable& t, const ShownSelection& s)
{
    t.currentApp = s.currentApp;
    t.currentEntry = s.currentEntry;
    t.currentVersionRow = s.currentVersionRow;
    t.shownFlags[0] = s.shownFlags[0];
    t.shownFlags[1] = s.shownFlags[1];
}

// A step of `kind` that keeps `kept` bytes, with the selection before it;
// null without memory (the history is then empty, the change still made).
EditStep* StartStep(FlagTable& t, StepKind kind, size_t kept)
{
    EditStep* s = NewStep(t.history, kind, kept);
    if (s)
        s->before = SelectionOf(t);
    return s;
}

// The change is made: modified, and the step joins the history.
void FinishStep(FlagTable& t, EditStep* s)
{
    t.modified = 1;
    if (!s)
        return;
    s->after = SelectionOf(t);
    AddStep(t.history, s);
}

// The entry's two words of one kind: its version, or its flags.
void SetWords(AppFlagEntry& e, bool version, const uint32_t words[2])
{
    if (version) {
        e.versionMS = words[0];
        e.versionLS = words[1];
    } else {
        e.flagsLow = words[0];
        e.flagsHigh = words[1];
    }
}

// One flag command on entry e: its flags become low/high, the boxes show them.
void ChangeFlags(FlagTable& t, uint16_t e, uint32_t low, uint32_t high, StepKind kind, int flagIndex)
{
    if (!EditableEntry(t, e))
        return;
    AppFlagEntry& entry = t.entries[e];
    EditStep* s = nullptr;
    if (entry.flagsLow != low || entry.flagsHigh != high) {
        s = StartStep(t, kind, sizeof(WordsKept));
        if (s) {
            s->flagIndex = flagIndex;
            *KeptOf<WordsKept>(s) = {e, {entry.flagsLow, entry.flagsHigh}, {low, high}};
        }
    }
    entry.flagsLow = low;
    entry.flagsHigh = high;
    SetShownFlags(t, e);
    // Every flag command but Copy marks the table, also when nothing changed.
    FinishStep(t, s);
}

void AppendApplication(FlagTable& t, const char* nameSlot, const AppFlagEntry& entry)
{
    std::memcpy(t.appNames[t.appCount], nameSlot, kNameSize);
    CopyEntry(t.entries[t.entryCount++], entry);
    ++t.appCount;
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

void RemoveLastApplication(FlagTable& t)
{
    RemoveEntry(t, static_cast<uint16_t>(t.entryCount - 1));
    --t.appCount;
    std::memset(t.appNames[t.appCount], 0, kNameSize);
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

// Removes application `app`'s entries and name, renumbering those behind it.
void RemoveApplication(FlagTable& t, uint16_t app)
{
    uint16_t kept = 0;
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex == app)
            continue;
        if (kept != i)
            CopyEntry(t.entries[kept], t.entries[i]);
        AppFlagEntry& e = t.entries[kept++];
        if (e.appIndex > app && e.appIndex != kFreeSlot)
            --e.appIndex;
    }
    for (uint16_t i = kept; i < t.entryCount; ++i)
        ClearSlot(t.entries[i]);
    t.entryCount = kept;
    for (uint16_t k = app; k + 1 < t.appCount; ++k)
        std::memcpy(t.appNames[k], t.appNames[k + 1], kNameSize);
    std::memset(t.appNames[t.appCount - 1], 0, kNameSize);
    --t.appCount;
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

// Puts a removed application back: its name at `app`, its entries at the
// indices they had, the applications behind it renumbered. One pass from the
// end, so that a large table costs what the removal cost.
void RestoreApplication(FlagTable& t, const DeletedApplicationKept& k, const PlacedEntry* placed)
{
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex >= k.app && t.entries[i].appIndex != kFreeSlot)
            ++t.entries[i].appIndex;
    }
    int dst = t.entryCount + k.count - 1;
    int src = t.entryCount - 1;
    for (int j = k.count - 1; j >= 0; --dst) {
        if (dst == placed[j].position)
            CopyEntry(t.entries[dst], placed[j--].entry);
        else
            CopyEntry(t.entries[dst], t.entries[src--]);
    }
    t.entryCount = static_cast<uint16_t>(t.entryCount + k.count);
    for (uint16_t a = t.appCount; a > k.app; --a)
        std::memcpy(t.appNames[a], t.appNames[a - 1], kNameSize);
    std::memcpy(t.appNames[k.app], k.name, kNameSize);
    ++t.appCount;
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

// The selection sort of `app`'s records in place; true when a record moved.
// Sorting over the application's own slots gives the order that sorting a
// copy and writing it back gives, so any number of versions is sorted.
bool SortInPlace(FlagTable& t, uint16_t app)
{
    bool moved = false;
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
            AppFlagEntry held;
            CopyEntry(held, t.entries[i]);
            CopyEntry(t.entries[i], t.entries[m]);
            CopyEntry(t.entries[m], held);
            moved = true;
        }
    }
    ++t.versionRowsChanges;
    return moved;
}

// The application's records written back, in this order, into its slots.
void PutRecordsBack(FlagTable& t, uint16_t app, const AppFlagEntry* records, uint16_t count)
{
    uint16_t next = 0;
    for (uint16_t i = 0; i < t.entryCount && next < count; ++i) {
        if (t.entries[i].appIndex == app)
            CopyEntry(t.entries[i], records[next++]);
    }
    ++t.versionRowsChanges;
}

size_t TableCopyBytes(const FlagTable& t)
{
    return kCopyEntriesOffset + t.entryCount * sizeof(AppFlagEntry) + t.appCount * size_t{kNameSize};
}

void CopyTable(const FlagTable& t, void* out)
{
    unsigned char* p = static_cast<unsigned char*>(out);
    TableCopyHead head = {t.appCount, t.entryCount};
    std::memcpy(p, &head, sizeof head);
    p += kCopyEntriesOffset;
    std::memcpy(p, t.entries, t.entryCount * sizeof(AppFlagEntry));
    std::memcpy(p + t.entryCount * sizeof(AppFlagEntry), t.appNames, t.appCount * size_t{kNameSize});
}

bool TableEqualsCopy(const FlagTable& t, const void* copy)
{
    const unsigned char* p = static_cast<const unsigned char*>(copy);
    TableCopyHead head;
    std::memcpy(&head, p, sizeof head);
    if (head.appCount != t.appCount || head.entryCount != t.entryCount)
        return false;
    p += kCopyEntriesOffset;
    size_t entryBytes = t.entryCount * sizeof(AppFlagEntry);
    return std::memcmp(p, t.entries, entryBytes) == 0 &&
           std::memcmp(p + entryBytes, t.appNames, t.appCount * size_t{kNameSize}) == 0;
}

void PutTableCopy(FlagTable& t, const void* copy)
{
    const unsigned char* p = static_cast<const unsigned char*>(copy);
    TableCopyHead head;
    std::memcpy(&head, p, sizeof head);
    ClearTableContents(t);
    p += kCopyEntriesOffset;
    std::memcpy(t.entries, p, head.entryCount * sizeof(AppFlagEntry));
    std::memcpy(t.appNames, p + head.entryCount * sizeof(AppFlagEntry), head.appCount * size_t{kNameSize});
    t.appCount = head.appCount;
    t.entryCount = head.entryCount;
}

// One step taken back (undo) or made again, its selection put back after.
void ApplyStep(FlagTable& t, const EditStep* s, bool undo)
{
    switch (s->kind) {
    case kStepFlagClick:
    case kStepClearAll:
    case kStepCheckAll:
    case kStepPaste:
    case kStepChangeVersion: {
        const WordsKept& k = *KeptOf<WordsKept>(s);
        SetWords(t.entries[k.entry], s->kind == kStepChangeVersion, undo ? k.before : k.after);
        if (s->kind == kStepChangeVersion)
            ++t.versionRowsChanges;
        break;
    }
    case kStepRenameApplication: {
        const RenameKept& k = *KeptOf<RenameKept>(s);
        std::memcpy(t.appNames[k.app], undo ? k.before : k.after, kNameSize);
        ++t.appRowsChanges;
        break;
    }
    case kStepNewApplication: {
        const NewApplicationKept& k = *KeptOf<NewApplicationKept>(s);
        if (undo)
            RemoveLastApplication(t);
        else
            AppendApplication(t, k.name, k.entry);
        break;
    }
    case kStepNewVersion:
    case kStepDeleteVersion: {
        const EntryKept& k = *KeptOf<EntryKept>(s);
        if (undo == (s->kind == kStepNewVersion))
            RemoveEntry(t, k.position);
        else
            InsertEntry(t, k.position, k.entry);
        ++t.versionRowsChanges;
        break;
    }
    case kStepDeleteApplication: {
        const DeletedApplicationKept& k = *KeptOf<DeletedApplicationKept>(s);
        if (undo)
            RestoreApplication(t, k, PlacedEntries(k));
        else
            RemoveApplication(t, k.app);
        break;
    }
    case kStepSortVersion: {
        const SortKept& k = *KeptOf<SortKept>(s);
        if (undo)
            PutRecordsBack(t, k.app, SortedRecords(k), k.count);
        else
            SortInPlace(t, k.app);
        break;
    }
    case kStepImport:
        PutTableCopy(t, undo ? StepKept(s) : s->more);
        break;
    case kNoStep:
        break;
    }
    PutSelection(t, undo ? s->before : s->after);
    t.modified = AtSavedPoint(t.history) ? 0 : 1;
}

}  // namespace

void SelectApplication(FlagTable& t, uint16_t app)
{
    t.currentApp = app;
    int e = NthEntryOfApp(t, app, 0);
    if (e >= 0)
        t.currentEntry = static_cast<uint16_t>(e);
    if (t.entryCount == 0)
        SetShownFlags(t, 0);
    else if (ShowsCurrentEntry(t))
        SetShownFlags(t, t.currentEntry);
}

int SelectedEntry(const FlagTable& t, int app, int32_t row)
{
    if (row < 0)
        row = t.currentVersionRow;
    if (row < 0 || app < 0)
        return -1;
    return NthEntryOfApp(t, static_cast<uint16_t>(app), row);
}

void FollowVersionFocus(FlagTable& t, int app, int32_t row)
{
    int e = SelectedEntry(t, app, row);
    if (row >= 0)
        t.currentVersionRow = row;
    // No entry to map (an application without versions): the current entry
    // stays, so no later edit can reach past the table.
    if (e >= 0 && e < t.entryCount)
        t.currentEntry = static_cast<uint16_t>(e);
}

void SelectVersion(FlagTable& t, int app, int32_t row)
{
    FollowVersionFocus(t, app, row);
    SetShownFlags(t, t.currentEntry);
}

void FollowApplicationFocus(FlagTable& t, int32_t row)
{
    if (row >= 0)
        t.currentApp = static_cast<uint16_t>(row);
}

void SelectLoadedTable(FlagTable& t)
{
    t.currentApp = 0;
    t.currentEntry = 0;
    t.shownFlags[0] = 0;
    t.shownFlags[1] = 0;
    if (t.entryCount > 0 && t.entries[0].appIndex == 0)
        SetShownFlags(t, 0);
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

void ClearShownFlags(FlagTable& t)
{
    t.shownFlags[0] = 0;
    t.shownFlags[1] = 0;
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
    EditStep* s = StartStep(t, kStepNewApplication, sizeof(NewApplicationKept));
    NewApplicationKept k;
    NewEntry(k.entry, in, t.appCount);
    PutName(k.name, in.inputAppName);
    AppendApplication(t, k.name, k.entry);
    if (s)
        std::memcpy(StepKept(s), &k, sizeof k);
    SelectApplication(t, static_cast<uint16_t>(t.appCount - 1));
    FinishStep(t, s);
    return 1;
}

int TableAddVersion(FlagTable& t, const InputValues& in, uint16_t app)
{
    if (app >= t.appCount || RoomForVersion(t, app) != kRoomAvailable)
        return 0;
    EditStep* s = StartStep(t, kStepNewVersion, sizeof(EntryKept));
    EntryKept k;
    NewEntry(k.entry, in, app);
    k.position = t.entryCount;
    if (s)
        std::memcpy(StepKept(s), &k, sizeof k);
    InsertEntry(t, k.position, k.entry);
    ++t.versionRowsChanges;
    t.currentApp = app;
    t.currentEntry = k.position;
    SetShownFlags(t, k.position);
    FinishStep(t, s);
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
    uint16_t count = static_cast<uint16_t>(CountVersions(t, app));
    EditStep* s = StartStep(t, kStepDeleteApplication, kPlacedOffset + count * sizeof(PlacedEntry));
    if (s) {
        DeletedApplicationKept& k = *KeptOf<DeletedApplicationKept>(s);
        k.app = app;
        k.count = count;
        std::memcpy(k.name, t.appNames[app], kNameSize);
        PlacedEntry* placed = PlacedEntries(k);
        for (uint16_t i = 0, j = 0; i < t.entryCount && j < count; ++i) {
            if (t.entries[i].appIndex != app)
                continue;
            placed[j].position = i;
            CopyEntry(placed[j++].entry, t.entries[i]);
        }
    }
    RemoveApplication(t, app);
    t.currentEntry = 0;
    SelectApplication(t, 0);
    FinishStep(t, s);
    return 1;
}

int TableDeleteVersion(FlagTable& t, uint16_t e)
{
    if (!ValidEntry(t, e))
        return 0;
    uint16_t app = t.entries[e].appIndex;
    if (CountVersions(t, app) <= 1)
        return 0;
    EditStep* s = StartStep(t, kStepDeleteVersion, sizeof(EntryKept));
    if (s) {
        EntryKept& k = *KeptOf<EntryKept>(s);
        CopyEntry(k.entry, t.entries[e]);
        k.position = e;
    }
    RemoveEntry(t, e);
    ++t.versionRowsChanges;
    int first = NthEntryOfApp(t, app, 0);
    t.currentEntry = first < 0 ? 0 : static_cast<uint16_t>(first);
    SetShownFlags(t, t.currentEntry);
    FinishStep(t, s);
    return 1;
}

int TableSortVersions(FlagTable& t, uint16_t app)
{
    if (app >= t.appCount)
        return 0;
    uint16_t count = static_cast<uint16_t>(CountVersions(t, app));
    EditStep* s = count > 1 ? StartStep(t, kStepSortVersion, kSortedOffset + count * sizeof(AppFlagEntry)) : nullptr;
    if (s) {
        SortKept& k = *KeptOf<SortKept>(s);
        k.app = app;
        k.count = count;
        AppFlagEntry* records = SortedRecords(k);
        for (uint16_t i = 0, j = 0; i < t.entryCount && j < count; ++i) {
            if (t.entries[i].appIndex == app)
                CopyEntry(records[j++], t.entries[i]);
        }
    }
    // A sorted list sorts again and counts as a change, but no step.
    if (!SortInPlace(t, app)) {
        DropStep(t.history, s);
        s = nullptr;
    }
    SelectApplication(t, app);
    FinishStep(t, s);
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
    ChangeFlags(t, e, t.flagClipboard[0], t.flagClipboard[1], kStepPaste, -1);
}

void TableSetAllFlags(FlagTable& t, uint16_t e, int on)
{
    uint32_t word = on ? 0xFFFFFFFFu : 0u;
    ChangeFlags(t, e, word, word, on ? kStepCheckAll : kStepClearAll, -1);
}

void TableSetFlag(FlagTable& t, uint16_t e, int flagIndex, int on)
{
    if (!EditableEntry(t, e) || flagIndex < 0 || flagIndex >= kFlagCount)
        return;
    AppFlagEntry changed = t.entries[e];
    SetFlagBit(changed, flagIndex, on);
    ChangeFlags(t, e, changed.flagsLow, changed.flagsHigh, kStepFlagClick, flagIndex);
}

int TableRenameApplication(FlagTable& t, uint16_t app, const char* name)
{
    if (app >= t.appCount || std::strlen(name) > kMaxNameChars)
        return 0;
    RenameKept k = {};
    k.app = app;
    std::memcpy(k.before, t.appNames[app], kNameSize);
    PutName(k.after, name);
    EditStep* s = nullptr;
    if (std::memcmp(k.before, k.after, kNameSize) != 0) {
        s = StartStep(t, kStepRenameApplication, sizeof k);
        if (s)
            *KeptOf<RenameKept>(s) = k;
    }
    std::memcpy(t.appNames[app], k.after, kNameSize);
    ++t.appRowsChanges;
    FinishStep(t, s);
    return 1;
}

int TableChangeVersion(FlagTable& t, uint16_t e, uint32_t versionMS, uint32_t versionLS)
{
    if (!ValidEntry(t, e))
        return 0;
    AppFlagEntry& entry = t.entries[e];
    WordsKept k = {e, {entry.versionMS, entry.versionLS}, {versionMS, versionLS}};
    EditStep* s = nullptr;
    if (k.before[0] != versionMS || k.before[1] != versionLS) {
        s = StartStep(t, kStepChangeVersion, sizeof k);
        if (s)
            *KeptOf<WordsKept>(s) = k;
    }
    SetWords(entry, true, k.after);
    ++t.versionRowsChanges;
    FinishStep(t, s);
    return 1;
}

void PutBackAppRows(FlagTable& t)
{
    ++t.appRowsChanges;
}

void PutBackVersionRows(FlagTable& t)
{
    ++t.versionRowsChanges;
}

int ReplaceTable(FlagTable& t, TableSource source, const TableFiller& filler)
{
    EditStep* s = nullptr;
    if (source == TableSource::File) {
        s = StartStep(t, kStepImport, TableCopyBytes(t));
        if (s)
            CopyTable(t, StepKept(s));
    }
    if (!filler.fill(filler.context, t)) {
        DropStep(t.history, s);
        return 0;
    }
    SelectLoadedTable(t);
    // Nothing copied from this table yet.
    t.pasteOffered = 0;
    if (source == TableSource::Key) {
        // The table in memory is the key's: a new history, at the saved point.
        ClearHistory(t.history);
        SetSavedPoint(t.history);
        t.modified = 0;
        return 1;
    }
    // The import keeps the table it replaced and its own, unless they are one.
    if (s && TableEqualsCopy(t, StepKept(s))) {
        DropStep(t.history, s);
        s = nullptr;
    } else if (s && !NewStepMore(s, TableCopyBytes(t))) {
        DropStep(t.history, s);
        s = nullptr;
        ClearHistory(t.history);
    } else if (s) {
        CopyTable(t, s->more);
    }
    FinishStep(t, s);
    return 1;
}

void MarkTableSaved(FlagTable& t)
{
    t.modified = 0;
    SetSavedPoint(t.history);
}

void StartEditSession(FlagTable& t)
{
    FreeHistory(t.history);
    t.history = EditHistory{};
    SetSavedPoint(t.history);
    t.modified = 0;
    t.flagClipboard[0] = 0;
    t.flagClipboard[1] = 0;
    t.pasteOffered = 0;
    t.currentVersionRow = 0;
}

int UndoStep(FlagTable& t)
{
    const EditStep* s = StepToUndo(t.history);
    if (!s)
        return 0;
    StepUndone(t.history);
    ApplyStep(t, s, true);
    return 1;
}

int RedoStep(FlagTable& t)
{
    const EditStep* s = StepToRedo(t.history);
    if (!s)
        return 0;
    StepRedone(t.history);
    ApplyStep(t, s, false);
    return 1;
}

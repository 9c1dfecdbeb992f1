#include "table/edit_commands.h"

#include <cstdio>
#include <cstring>

#include "table/flag_table_edit.h"

namespace {

void Say(char* message, const char* text)
{
    std::snprintf(message, kMessageSize, "%s", text);
}

// The stored layout holds no more than the table does; a refusal says which
// limit was met. False when there is room.
bool RefuseForRoom(const FlagTable& t, TableRoom room, uint16_t app, char* message)
{
    switch (room) {
    case kRoomAvailable:
        return false;
    case kNoRoomForApplication:
        std::snprintf(message, kMessageSize, "The table already holds %d applications.\nNo application can be added.",
                      kMaxApps);
        break;
    case kNoRoomForEntry:
        std::snprintf(message, kMessageSize, "The table already holds %d versions.\nNo version can be added.",
                      kMaxEntries);
        break;
    case kNoRoomForVersion:
        std::snprintf(message, kMessageSize, "%s already has %d versions.\nNo version can be added to it.",
                      app < t.appCount ? t.appNames[app] : "", kMaxVersionsPerApp);
        break;
    }
    return true;
}

void ShowEntryFlags(FlagTable& t, uint16_t e)
{
    if (e >= kMaxEntries)
        return;
    t.shownFlags[0] = t.entries[e].flagsLow;
    t.shownFlags[1] = t.entries[e].flagsHigh;
}

// Without a version of the current application the boxes are cleared.
void ShowCurrentFlags(FlagTable& t)
{
    if (ShowsCurrentEntry(t)) {
        ShowEntryFlags(t, t.currentEntry);
    } else {
        t.shownFlags[0] = 0;
        t.shownFlags[1] = 0;
    }
}

// The application list shows `app` with its versions, the first selected.
void ShowApplication(FlagTable& t, uint16_t app)
{
    SelectApplication(t, app);
    if (t.entryCount == 0)
        ShowEntryFlags(t, 0);
    else if (ShowsCurrentEntry(t))
        ShowEntryFlags(t, t.currentEntry);
}

int AddVersion(FlagTable& t, const InputValues& in)
{
    if (!TableAddVersion(t, in, t.currentApp))
        return 0;
    ++t.versionRowsChanges;
    ShowEntryFlags(t, t.currentEntry);
    return 1;
}

}  // namespace

const char* AppNameMessage(AppNameCheck problem)
{
    switch (problem) {
    case kNameEmpty:
        return "Application is NULL\nSet Application";
    case kNameHasSeparator:
        return "Application name can not contain \";\"\nSet Application";
    case kNameHasControl:
        return "Application name can not contain a control character\nSet Application";
    case kNameAcceptable:
        break;
    }
    return "";
}

int NewApplication(FlagTable& t, const InputValues& in, char* message)
{
    // The dialog refuses such names already; nothing else may bring one in.
    AppNameCheck name = AppNameProblem(in.inputAppName);
    if (name != kNameAcceptable) {
        Say(message, AppNameMessage(name));
        return 0;
    }
    int x = FindApplication(t, in);
    if (x < 0) {
        if (RefuseForRoom(t, RoomForApplication(t), 0, message) || !TableAddApplication(t, in))
            return 0;
        // The new application may take the index of the one the version
        // list showed (an emptied table): both lists change.
        ++t.appRowsChanges;
        ++t.versionRowsChanges;
        ShowApplication(t, t.currentApp);
        // Paste comes on with a new application, copied or not.
        t.pasteOffered = 1;
        return 1;
    }
    uint16_t app = static_cast<uint16_t>(x);
    if (VersionExistsForApp(t, in, app)) {
        Say(message, "Same Application and Version already exists.");
        return 0;
    }
    // Refused before the selection moves, so a refusal changes nothing.
    if (RefuseForRoom(t, RoomForVersion(t, app), app, message))
        return 0;
    ShowApplication(t, app);
    return AddVersion(t, in);
}

int NewVersion(FlagTable& t, const InputValues& in, char* message)
{
    TableRoom room = kRoomAvailable;
    switch (CheckNewVersion(t, in, &room)) {
    case kNewVersionAccepted:
        break;
    case kNewVersionNoApplication:
        return 0;
    case kNewVersionExists:
        Say(message, "Same Version already exists.");
        return 0;
    case kNewVersionNoRoom:
        RefuseForRoom(t, room, t.currentApp, message);
        return 0;
    }
    return AddVersion(t, in);
}

int DeleteApplication(FlagTable& t, const Asker& ask)
{
    if (t.currentApp >= t.appCount)
        return 0;
    char question[kMessageSize];
    std::snprintf(question, sizeof question, "Delete %s and all it's versions?", t.appNames[t.currentApp]);
    if (!ask.yes(ask.context, question) || !TableDeleteApplication(t, t.currentApp))
        return 0;
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
    ShowApplication(t, 0);
    return 1;
}

int DeleteVersion(FlagTable& t, const Asker& ask, char* message)
{
    if (!ShowsCurrentEntry(t))
        return 0;
    char question[kMessageSize];
    char version[kVersionTextSize];
    const AppFlagEntry& e = t.entries[t.currentEntry];
    VersionText(version, e.versionMS, e.versionLS);
    std::snprintf(question, sizeof question, "Delete %s ?", version);
    if (!ask.yes(ask.context, question))
        return 0;
    if (!TableDeleteVersion(t, t.currentEntry)) {
        Say(message, "Current application has only one version data\nSo, You can not delete version\n"
                     "If you want to delete it, Please delete Application");
        return 0;
    }
    ++t.versionRowsChanges;
    ShowEntryFlags(t, t.currentEntry);
    return 1;
}

int SortVersions(FlagTable& t)
{
    if (!TableSortVersions(t, t.currentApp))
        return 0;
    ++t.versionRowsChanges;
    ShowApplication(t, t.currentApp);
    return 1;
}

int CopyFlags(FlagTable& t)
{
    // Only a version of the application on screen is copied.
    if (!TableCopyFlags(t, t.currentEntry))
        return 0;
    t.pasteOffered = 1;
    return 1;
}

void PasteFlags(FlagTable& t)
{
    TablePasteFlags(t, t.currentEntry);
    ShowCurrentFlags(t);
}

void SetAllFlags(FlagTable& t, bool on)
{
    TableSetAllFlags(t, t.currentEntry, on ? 1 : 0);
    ShowCurrentFlags(t);
}

void SetFlagFromBox(FlagTable& t, int flagIndex, int checked)
{
    TableSetFlag(t, t.currentEntry, flagIndex, checked);
    ShowCurrentFlags(t);
}

void PickApplication(FlagTable& t, uint16_t app)
{
    ShowApplication(t, app);
}

void PickVersion(FlagTable& t, int app, int32_t row)
{
    TakeVersionPick(t, app, row);
    ShowEntryFlags(t, t.currentEntry);
}

void SelectLoadedTable(FlagTable& t)
{
    t.currentApp = 0;
    t.currentEntry = 0;
    t.shownFlags[0] = 0;
    t.shownFlags[1] = 0;
    if (t.entryCount > 0 && t.entries[0].appIndex == 0)
        ShowEntryFlags(t, 0);
    ++t.appRowsChanges;
    ++t.versionRowsChanges;
}

void CheckAppText(FlagTable& t, const char* text, const Asker& ask, char* message)
{
    if (t.appCount == 0 || t.currentApp >= t.appCount)
        return;
    if (text[0] == '\0') {
        Say(message, "Application is NULL\nRevise it");
    } else if (NamesEqual(text, t.appNames[t.currentApp])) {
        return;
    } else {
        // Rows come from appNames, so neither a name longer than a name slot
        // nor one the stored list cannot hold should arrive; if one does, it
        // is not applied.
        AppNameCheck problem = AppNameProblem(text);
        if (problem != kNameAcceptable)
            Say(message, AppNameMessage(problem));
        else if (std::strlen(text) <= kMaxNameChars && ask.yes(ask.context, "Application Name has changed\nDo you apply it?")) {
            std::memcpy(t.appNames[t.currentApp], text, std::strlen(text) + 1);
            t.modified = 1;
        }
    }
    // The row shows the name the table holds: the new one or the old one.
    ++t.appRowsChanges;
}

void CheckVersionText(FlagTable& t, const char* text, const Asker& ask, char* message)
{
    // Without a version of its own on screen there is nothing to check, and
    // currentEntry may be another application's.
    if (!ShowsCurrentEntry(t) || t.currentVersionRow < 0)
        return;
    uint32_t ms = 0;
    uint32_t ls = 0;
    AppFlagEntry& e = t.entries[t.currentEntry];
    if (text[0] == '\0') {
        Say(message, "VersionMS and LS is NULL\nRevise it");
    } else if (!ParseVersionText(text, &ms, &ls)) {
        Say(message, "VersionMS and LS has an error\nRevise it");
    } else if (ms == e.versionMS && ls == e.versionLS) {
        return;
    } else if (ask.yes(ask.context, "Version has changed\nDo you apply it?")) {
        e.versionMS = ms;
        e.versionLS = ls;
        t.modified = 1;
    }
    ++t.versionRowsChanges;
}

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
        // Paste comes on with a new application, copied or not.
        t.pasteOffered = 1;
        return 1;
    }
    uint16_t app = static_cast<uint16_t>(x);
    if (VersionExistsForApp(t, in, app)) {
        Say(message, "Same Application and Version already exists.");
        return 0;
    }
    if (RefuseForRoom(t, RoomForVersion(t, app), app, message))
        return 0;
    return TableAddVersion(t, in, app);
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
    return TableAddVersion(t, in, t.currentApp);
}

int DeleteApplication(FlagTable& t, const Asker& ask)
{
    if (t.currentApp >= t.appCount)
        return 0;
    char question[kMessageSize];
    std::snprintf(question, sizeof question, "Delete %s and all it's versions?", t.appNames[t.currentApp]);
    if (!ask.yes(ask.context, question))
        return 0;
    return TableDeleteApplication(t, t.currentApp);
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
    return 1;
}

int SortVersions(FlagTable& t)
{
    return TableSortVersions(t, t.currentApp);
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
    if (ShowsCurrentEntry(t))
        TablePasteFlags(t, t.currentEntry);
    else
        ClearShownFlags(t);
}

void SetAllFlags(FlagTable& t, bool on)
{
    if (ShowsCurrentEntry(t))
        TableSetAllFlags(t, t.currentEntry, on ? 1 : 0);
    else
        ClearShownFlags(t);
}

void SetFlagFromBox(FlagTable& t, int flagIndex, int checked)
{
    if (ShowsCurrentEntry(t))
        TableSetFlag(t, t.currentEntry, flagIndex, checked);
    else
        ClearShownFlags(t);
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
        else if (std::strlen(text) <= kMaxNameChars &&
                 ask.yes(ask.context, "Application Name has changed\nDo you apply it?"))
            TableRenameApplication(t, t.currentApp, text);
    }
    // The row shows the name the table holds: the new one or the old one.
    PutBackAppRows(t);
}

void CheckVersionText(FlagTable& t, const char* text, const Asker& ask, char* message)
{
    // Without a version of its own on screen there is nothing to check, and
    // currentEntry may be another application's.
    if (!ShowsCurrentEntry(t) || t.currentVersionRow < 0)
        return;
    uint32_t ms = 0;
    uint32_t ls = 0;
    const AppFlagEntry& e = t.entries[t.currentEntry];
    if (text[0] == '\0') {
        Say(message, "VersionMS and LS is NULL\nRevise it");
    } else if (!ParseVersionText(text, &ms, &ls)) {
        Say(message, "VersionMS and LS has an error\nRevise it");
    } else if (ms == e.versionMS && ls == e.versionLS) {
        return;
    } else if (ask.yes(ask.context, "Version has changed\nDo you apply it?")) {
        TableChangeVersion(t, t.currentEntry, ms, ls);
    }
    PutBackVersionRows(t);
}

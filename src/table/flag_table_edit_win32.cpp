#include "table/flag_table_edit_win32.h"

#include <cstdio>

#include "base/control_ids.h"
#include "base/message_box_win32.h"
#include "table/flag_table_edit.h"
#include "table/flag_table_win32.h"
#include "table/text_check.h"
#include "table/text_check_win32.h"

namespace {

// The stored layout holds no more than the table does; a refusal says which
// limit was met and changes nothing.
int RefuseForRoom(const FlagTable& t, const MainControls& c, TableRoom room, uint16_t app)
{
    char text[256];
    switch (room) {
    case kRoomAvailable:
        return 0;
    case kNoRoomForApplication:
        std::snprintf(text, sizeof text, "The table already holds %d applications.\nNo application can be added.",
                      kMaxApps);
        break;
    case kNoRoomForEntry:
        std::snprintf(text, sizeof text, "The table already holds %d versions.\nNo version can be added.",
                      kMaxEntries);
        break;
    case kNoRoomForVersion:
        std::snprintf(text, sizeof text, "%s already has %d versions.\nNo version can be added to it.",
                      app < t.appCount ? t.appNames[app] : "", kMaxVersionsPerApp);
        break;
    }
    ShowAppMessage(c.window, text);
    return 1;
}

int AskYesNo(const MainControls& c, const char* text)
{
    return ShowAppMessage(c.window, text, MB_YESNO | MB_ICONQUESTION);
}

}  // namespace

int NewApplication(FlagTable& t, const InputValues& in, const MainControls& c)
{
    // The dialog refuses such names already; nothing else may bring one in.
    AppNameCheck name = AppNameProblem(in.inputAppName);
    if (name != kNameAcceptable) {
        ShowAppMessage(c.window, AppNameMessage(name));
        return 0;
    }
    int x = FindApplication(t, in);
    if (x < 0) {
        if (RefuseForRoom(t, c, RoomForApplication(t), 0))
            return 0;
        return AddApplication(t, in, c);
    }
    uint16_t app = static_cast<uint16_t>(x);
    if (VersionExistsForApp(t, in, app)) {
        ShowAppMessage(c.window, "Same Application and Version already exists.");
        return 0;
    }
    // Refused before the selection moves, so a refusal changes nothing.
    if (RefuseForRoom(t, c, RoomForVersion(t, app), app))
        return 0;
    SendMessageA(c.appCombo, CB_SETCURSEL, static_cast<WPARAM>(app), 0);
    SelectApplication(t, app);
    FillVersionList(t, c.versionCombo, app, c.flagBoxes);
    return AddVersion(t, in, c);
}

int NewVersion(FlagTable& t, const InputValues& in, const MainControls& c)
{
    TableRoom room = kRoomAvailable;
    switch (CheckNewVersion(t, in, &room)) {
    case kNewVersionAccepted:
        break;
    case kNewVersionNoApplication:
        return 0;
    case kNewVersionExists:
        ShowAppMessage(c.window, "Same Version already exists.");
        return 0;
    case kNewVersionNoRoom:
        RefuseForRoom(t, c, room, t.currentApp);
        return 0;
    }
    return AddVersion(t, in, c);
}

int AddApplication(FlagTable& t, const InputValues& in, const MainControls& c)
{
    if (!TableAddApplication(t, in))
        return 0;
    InsertAppRow(c.appCombo, -1, t.appNames[t.currentApp]);
    SendMessageA(c.appCombo, CB_SETCURSEL, t.currentApp, 0);
    FillVersionList(t, c.versionCombo, t.currentApp, c.flagBoxes);
    return 1;
}

int AddVersion(FlagTable& t, const InputValues& in, const MainControls& c)
{
    if (!TableAddVersion(t, in, t.currentApp))
        return 0;
    AppendVersionRow(c.versionCombo, t.entries[t.currentEntry]);
    SendMessageA(c.versionCombo, CB_SETCURSEL, static_cast<WPARAM>(RowOfCurrentEntry(t)), 0);
    ShowFlags(t, t.currentEntry, c.flagBoxes);
    return 1;
}

int DeleteApplication(FlagTable& t, const MainControls& c)
{
    if (t.currentApp >= t.appCount)
        return 0;
    char text[256];
    std::snprintf(text, sizeof text, "Delete %s and all it's versions?", t.appNames[t.currentApp]);
    if (AskYesNo(c, text) != IDYES)
        return 0;
    uint16_t app = t.currentApp;
    if (!TableDeleteApplication(t, app))
        return 0;
    SendMessageA(c.appCombo, CB_DELETESTRING, app, 0);
    SendMessageA(c.appCombo, CB_SETCURSEL, 0, 0);
    SelectApplication(t, 0);
    FillVersionList(t, c.versionCombo, 0, c.flagBoxes);
    return 1;
}

int DeleteVersion(FlagTable& t, const MainControls& c)
{
    if (!ShowsCurrentEntry(t))
        return 0;
    char version[kVersionTextSize];
    const AppFlagEntry& e = t.entries[t.currentEntry];
    VersionText(version, e.versionMS, e.versionLS);
    char text[256];
    std::snprintf(text, sizeof text, "Delete %s ?", version);
    if (AskYesNo(c, text) != IDYES)
        return 0;
    if (CountVersions(t, e.appIndex) <= 1) {
        std::snprintf(text, sizeof text, "%s\n%s\n%s", "Current application has only one version data",
                      "So, You can not delete version", "If you want to delete it, Please delete Application");
        ShowAppMessage(c.window, text);
        return 0;
    }
    SendMessageA(c.versionCombo, CB_DELETESTRING, static_cast<WPARAM>(RowOfCurrentEntry(t)), 0);
    SendMessageA(c.versionCombo, CB_SETCURSEL, 0, 0);
    TableDeleteVersion(t, t.currentEntry);
    ShowFlags(t, t.currentEntry, c.flagBoxes);
    return 1;
}

int SortVersions(FlagTable& t, const MainControls& c)
{
    if (!TableSortVersions(t, t.currentApp))
        return 0;
    SelectApplication(t, t.currentApp);
    FillVersionList(t, c.versionCombo, t.currentApp, c.flagBoxes);
    return 1;
}

// Without a version of the current application the boxes stay unchecked.
static void ShowCurrentFlags(const FlagTable& t, const MainControls& c)
{
    if (ShowsCurrentEntry(t))
        ShowFlags(t, t.currentEntry, c.flagBoxes);
    else
        UncheckAllFlags(c.flagBoxes);
}

void PasteFlags(FlagTable& t, const MainControls& c)
{
    TablePasteFlags(t, t.currentEntry);
    ShowCurrentFlags(t, c);
}

void SetAllFlags(FlagTable& t, const MainControls& c, bool on)
{
    TableSetAllFlags(t, t.currentEntry, on ? 1 : 0);
    ShowCurrentFlags(t, c);
}

int SetFlagFromBox(FlagTable& t, const MainControls& c, int controlId, int notifyCode)
{
    int flagIndex = FlagIndexOfId(static_cast<unsigned>(controlId));
    if (notifyCode != BN_CLICKED || flagIndex < 0)
        return 0;
    // Automatic check boxes toggle before they notify: this is the new state.
    LRESULT state = SendMessageA(c.flagBoxes[flagIndex], BM_GETCHECK, 0, 0);
    TableSetFlag(t, t.currentEntry, flagIndex, state == BST_CHECKED ? 1 : 0);
    ShowCurrentFlags(t, c);
    return 1;
}

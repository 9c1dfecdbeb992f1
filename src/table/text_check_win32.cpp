#include "table/text_check_win32.h"

#include <cstring>

#include "base/message_box_win32.h"
#include "table/flag_table_edit.h"
#include "table/flag_table_win32.h"

namespace {

// Room for 255 characters: more than any row holds.
constexpr int kTextSize = 256;

void PutAppRowBack(const FlagTable& t, const MainControls& c)
{
    SendMessageA(c.appCombo, CB_DELETESTRING, t.currentApp, 0);
    InsertAppRow(c.appCombo, t.currentApp, t.appNames[t.currentApp]);
    SendMessageA(c.appCombo, CB_SETCURSEL, t.currentApp, 0);
}

void ReplaceVersionRow(const FlagTable& t, const MainControls& c, const char* text)
{
    WPARAM row = static_cast<WPARAM>(t.currentVersionRow);
    SendMessageA(c.versionCombo, CB_DELETESTRING, row, 0);
    SendMessageA(c.versionCombo, CB_INSERTSTRING, row, reinterpret_cast<LPARAM>(text));
    SendMessageA(c.versionCombo, CB_SETCURSEL, row, 0);
}

void PutVersionRowBack(const FlagTable& t, const MainControls& c)
{
    char stored[kVersionTextSize];
    const AppFlagEntry& e = t.entries[t.currentEntry];
    VersionText(stored, e.versionMS, e.versionLS);
    ReplaceVersionRow(t, c, stored);
}

int AskYesNo(const MainControls& c, const char* text)
{
    return ShowAppMessage(c.window, text, MB_YESNO | MB_ICONQUESTION);
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

void CheckAppText(FlagTable& t, const MainControls& c)
{
    if (t.appCount == 0 || t.currentApp >= t.appCount)
        return;
    char text[kTextSize] = {};
    GetWindowTextA(c.appCombo, text, sizeof text);
    if (text[0] == '\0') {
        ShowAppMessage(c.window, "Application is NULL\nRevise it");
        PutAppRowBack(t, c);
        return;
    }
    if (NamesEqual(text, t.appNames[t.currentApp]))
        return;
    // Rows come from appNames, so neither a name longer than a name slot nor
    // one the stored list cannot hold should arrive; if one does, it is not applied.
    AppNameCheck problem = AppNameProblem(text);
    if (problem != kNameAcceptable)
        ShowAppMessage(c.window, AppNameMessage(problem));
    if (problem != kNameAcceptable || std::strlen(text) > kMaxNameChars ||
        AskYesNo(c, "Application Name has changed\nDo you apply it?") != IDYES) {
        PutAppRowBack(t, c);
        return;
    }
    SendMessageA(c.appCombo, CB_DELETESTRING, t.currentApp, 0);
    InsertAppRow(c.appCombo, t.currentApp, text);
    std::memcpy(t.appNames[t.currentApp], text, kNameSize);
    t.appNames[t.currentApp][kMaxNameChars] = '\0';
    t.modified = 1;
    SendMessageA(c.appCombo, CB_SETCURSEL, t.currentApp, 0);
}

void CheckVersionText(FlagTable& t, const MainControls& c)
{
    // Without a version of its own on screen there is nothing to check, and
    // currentEntry may be another application's.
    if (!ShowsCurrentEntry(t) || t.currentVersionRow < 0)
        return;
    char text[kTextSize] = {};
    GetWindowTextA(c.versionCombo, text, sizeof text);
    uint32_t ms = 0;
    uint32_t ls = 0;
    if (text[0] == '\0') {
        ShowAppMessage(c.window, "VersionMS and LS is NULL\nRevise it");
    } else if (!ParseVersionText(text, &ms, &ls)) {
        ShowAppMessage(c.window, "VersionMS and LS has an error\nRevise it");
    } else {
        AppFlagEntry& e = t.entries[t.currentEntry];
        if (ms == e.versionMS && ls == e.versionLS)
            return;
        if (AskYesNo(c, "Version has changed\nDo you apply it?") == IDYES) {
            // The row keeps the text as typed until the list is next filled.
            ReplaceVersionRow(t, c, text);
            e.versionMS = ms;
            e.versionLS = ls;
            t.modified = 1;
            return;
        }
    }
    PutVersionRowBack(t, c);
}

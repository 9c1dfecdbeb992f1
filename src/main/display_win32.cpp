#include "main/display_win32.h"

#include "main/enabling_win32.h"
#include "main/screen.h"
#include "table/flag_table_win32.h"

namespace {

bool SameEnabling(const EditorSnapshot& a, const EditorSnapshot& b)
{
    return a.printerFound == b.printerFound && a.appCount == b.appCount && a.currentVersions == b.currentVersions &&
           a.pasteOffered == b.pasteOffered;
}

}  // namespace

void FillAppList(const FlagTable& t, HWND appCombo)
{
    SendMessageA(appCombo, CB_RESETCONTENT, 0, 0);
    for (uint16_t i = 0; i < t.appCount; ++i) {
        char row[kNameSize];
        AppRowName(row, t.appNames[i]);
        // Inserted, not added: CBS_UPPERCASE would convert added rows, and
        // the rows must stay as AppRowName makes them.
        SendMessageA(appCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
    }
}

void FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app)
{
    SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex != app)
            continue;
        char text[kVersionTextSize];
        VersionText(text, t.entries[i].versionMS, t.entries[i].versionLS);
        SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    }
}

void ShowFlags(const FlagTable& t, const HWND* flagBoxes)
{
    // Every box, also one the user just toggled: its check is the table's.
    for (int k = 0; k < kFlagCount; ++k) {
        uint32_t word = t.shownFlags[k / 32];
        SendMessageA(flagBoxes[k], BM_SETCHECK, (word >> (k % 32)) & 1u ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void ShowEditor(const MainControls& c, const FlagTable& t, const EditorSnapshot& s, ShownScreen& shown)
{
    Screen screen = ScreenOf(t);
    if (!shown.valid || shown.appRowsChanges != t.appRowsChanges) {
        FillAppList(t, c.appCombo);
        shown.appRowsChanges = t.appRowsChanges;
    }
    if (!shown.valid || shown.versionRowsChanges != t.versionRowsChanges || shown.versionApp != screen.versionApp) {
        FillVersionList(t, c.versionCombo, screen.versionApp);
        shown.versionRowsChanges = t.versionRowsChanges;
        shown.versionApp = screen.versionApp;
    }
    SelectRow(c.appCombo, screen.appRow);
    SelectRow(c.versionCombo, screen.versionRow);
    ShowFlags(t, c.flagBoxes);
    if (!shown.valid || !SameEnabling(shown.enabling, s)) {
        ApplyEnabling(c, s);
        shown.enabling = s;
    }
    shown.valid = 1;
}

int32_t SelectedRow(HWND combo)
{
    LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return row == CB_ERR || row < 0 ? -1 : static_cast<int32_t>(row);
}

void SelectRow(HWND combo, int32_t row)
{
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void AddRow(HWND combo, const char* text)
{
    SendMessageA(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void ClearRows(HWND combo)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
}

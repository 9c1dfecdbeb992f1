#include "main/display_win32.h"

#include "main/enabling_win32.h"
#include "main/screen.h"
#include "table/flag_table_edit.h"

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

int32_t FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app)
{
    SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
    int32_t rows = 0;
    for (uint16_t i = 0; i < t.entryCount; ++i) {
        if (t.entries[i].appIndex != app)
            continue;
        char text[kVersionTextSize];
        VersionText(text, t.entries[i].versionMS, t.entries[i].versionLS);
        SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
        ++rows;
    }
    return rows;
}

void ShowFlagWords(const uint32_t words[2], const HWND* flagBoxes)
{
    for (int k = 0; k < kFlagCount; ++k) {
        uint32_t word = words[k / 32];
        SendMessageA(flagBoxes[k], BM_SETCHECK, (word >> (k % 32)) & 1u ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void NoteBoxToggled(ShownScreen& shown, int flagIndex, int checked)
{
    if (flagIndex < 0 || flagIndex >= kFlagCount)
        return;
    uint32_t bit = 1u << (flagIndex % 32);
    uint32_t& word = shown.checks[flagIndex / 32];
    word = checked ? word | bit : word & ~bit;
}

void ShowEditor(const MainControls& c, const FlagTable& t, int printerFound, ShownScreen& shown)
{
    // A list filled anew has no selection.
    if (!shown.valid || shown.appRowsChanges != t.appRowsChanges) {
        FillAppList(t, c.appCombo);
        if (shown.appSearch)
            IndexApplications(*shown.appSearch, t);
        shown.appRowsChanges = t.appRowsChanges;
        shown.appRow = -1;
    }
    bool versionsChanged = !shown.valid || shown.versionRowsChanges != t.versionRowsChanges ||
                           shown.versionApp != t.currentApp;
    int32_t versionRow = shown.versionRow;
    if (versionsChanged) {
        shown.versionRows = FillVersionList(t, c.versionCombo, t.currentApp);
        shown.versionRowsChanges = t.versionRowsChanges;
        shown.versionApp = t.currentApp;
        shown.versionRow = -1;
    }
    // ScreenOf, with the walk over the entries for the version row made only
    // when the version list or the current entry changed: a click makes none.
    if (versionsChanged || shown.versionRowEntry != t.currentEntry) {
        versionRow = RowOfCurrentEntry(t);
        shown.versionRowEntry = t.currentEntry;
    }
    Screen screen = ScreenWithVersionRow(t, versionRow);
    EditorSnapshot s = SnapshotOf(t, printerFound, shown.versionRows);
    if (shown.appRow != screen.appRow || shown.appRow < 0) {
        SelectRow(c.appCombo, screen.appRow);
        shown.appRow = screen.appRow;
    }
    if (shown.versionRow != screen.versionRow || shown.versionRow < 0) {
        SelectRow(c.versionCombo, screen.versionRow);
        shown.versionRow = screen.versionRow;
    }
    if (!shown.valid || shown.checks[0] != screen.checks[0] || shown.checks[1] != screen.checks[1]) {
        ShowFlagWords(screen.checks, c.flagBoxes);
        shown.checks[0] = screen.checks[0];
        shown.checks[1] = screen.checks[1];
    }
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

namespace {

void AddPrinterRow(void* combo, const char* row)
{
    SendMessageA(static_cast<HWND>(combo), CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
}

}  // namespace

PrinterSearch ShowPrinters(HWND printerCombo)
{
    SendMessageA(printerCombo, CB_RESETCONTENT, 0, 0);
    PrinterSearch search = FillPrinterList({AddPrinterRow, printerCombo});
    if (search.outcome == PrinterOutcome::Found) {
        SendMessageA(printerCombo, CB_SETCURSEL, 0, 0);
        PostMessageA(GetParent(printerCombo), WM_COMMAND, MAKEWPARAM(IDC_PRINTER, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(printerCombo));
    }
    return search;
}

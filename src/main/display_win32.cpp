#include "main/display_win32.h"

#include "main/editor_window_win32.h"
#include "main/enabling_win32.h"
#include "main/screen.h"
#include "table/flag_table_edit.h"

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

void ShowFlags(const uint32_t words[2], const HWND* flagBoxes)
{
    for (int k = 0; k < kFlagCount; ++k) {
        uint32_t word = words[k / 32];
        SendMessageA(flagBoxes[k], BM_SETCHECK, (word >> (k % 32)) & 1u ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

void NoteBoxToggled(EditorWindow& w, int flagIndex, int checked)
{
    if (flagIndex < 0 || flagIndex >= kFlagCount)
        return;
    uint32_t bit = 1u << (flagIndex % 32);
    uint32_t& word = w.shown.checks[flagIndex / 32];
    word = checked ? word | bit : word & ~bit;
}

void ShowEditor(EditorWindow& w, const CommandRow* rows, size_t rowCount)
{
    const MainControls& c = w.controls;
    const FlagTable& t = w.table;
    ShownScreen& shown = w.shown;
    // A list filled anew has no selection.
    if (!shown.valid || shown.appRowsChanges != t.appRowsChanges) {
        FillAppList(t, c.appCombo);
        IndexApplications(w.appSearch, t);
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
    EditorSnapshot s = SnapshotOf(t, w.printerFound, shown.versionRows);
    if (shown.appRow != screen.appRow || shown.appRow < 0) {
        SetListCursor(c.appCombo, screen.appRow);
        shown.appRow = screen.appRow;
    }
    if (shown.versionRow != screen.versionRow || shown.versionRow < 0) {
        SetListCursor(c.versionCombo, screen.versionRow);
        shown.versionRow = screen.versionRow;
    }
    if (!shown.valid) {
        ShowFlags(screen.checks, c.flagBoxes);
    } else {
        // Only the boxes that change: an undone click sets one box.
        for (int k = 0; k < kFlagCount; ++k) {
            uint32_t bit = 1u << (k % 32);
            if ((shown.checks[k / 32] ^ screen.checks[k / 32]) & bit)
                SendMessageA(c.flagBoxes[k], BM_SETCHECK, screen.checks[k / 32] & bit ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    shown.checks[0] = screen.checks[0];
    shown.checks[1] = screen.checks[1];
    // Undo and Redo are left to the menu's opening (ShowStepItems).
    if (!shown.valid || !SameEnabling(shown.enabling, s)) {
        ApplyEnabling(c, s, shown.valid ? &shown.enabling : nullptr, rows, rowCount);
        shown.enabling = s;
    }
    shown.valid = 1;
}

void ShowStepItems(EditorWindow& w, const CommandRow* rows, size_t rowCount)
{
    ShownScreen& shown = w.shown;
    // Undo and Redo need no version count.
    EditorSnapshot s = SnapshotOf(w.table, w.printerFound, 0);
    ApplyStepItems(w.controls.window, s, shown.stepItemsValid ? &shown.stepItems : nullptr, rows, rowCount);
    shown.stepItems = s;
    shown.stepItemsValid = 1;
}

int32_t ListCursor(HWND combo)
{
    LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return row == CB_ERR || row < 0 ? -1 : static_cast<int32_t>(row);
}

void SetListCursor(HWND combo, int32_t row)
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

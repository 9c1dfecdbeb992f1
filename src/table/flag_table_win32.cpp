#include "table/flag_table_win32.h"

#include <cstring>

void AppRowName(char* out, const char* name)
{
    lstrcpynA(out, name, kNameSize);
    CharUpperA(out);
}

void InsertAppRow(HWND appCombo, int position, const char* name)
{
    char row[kNameSize];
    AppRowName(row, name);
    SendMessageA(appCombo, CB_INSERTSTRING, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(row));
}

void AppendVersionRow(HWND versionCombo, const AppFlagEntry& e)
{
    char text[kVersionTextSize];
    VersionText(text, e.versionMS, e.versionLS);
    SendMessageA(versionCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

bool GetComboRowText(HWND combo, int row, char* out, size_t outSize)
{
    out[0] = '\0';
    LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == CB_ERR || length < 0 || static_cast<size_t>(length) >= outSize)
        return false;
    if (SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(out)) == CB_ERR) {
        out[0] = '\0';
        return false;
    }
    out[outSize - 1] = '\0';
    return true;
}

void ShowFlagWords(uint32_t flagsLow, uint32_t flagsHigh, FlagBoxes flagBoxes)
{
    for (int k = 0; k < 32; ++k)
        SendMessageA(flagBoxes[k], BM_SETCHECK, (flagsLow >> k) & 1u ? BST_CHECKED : BST_UNCHECKED, 0);
    for (int k = 0; k < 32; ++k)
        SendMessageA(flagBoxes[32 + k], BM_SETCHECK, (flagsHigh >> k) & 1u ? BST_CHECKED : BST_UNCHECKED, 0);
}

void UncheckAllFlags(FlagBoxes flagBoxes)
{
    ShowFlagWords(0, 0, flagBoxes);
}

void ShowFlags(const FlagTable& t, uint16_t e, FlagBoxes flagBoxes)
{
    if (e >= kMaxEntries)
        return;
    ShowFlagWords(t.entries[e].flagsLow, t.entries[e].flagsHigh, flagBoxes);
}

void FillVersionList(const FlagTable& t, HWND versionCombo, uint16_t app, FlagBoxes flagBoxes)
{
    SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
    if (t.entryCount == 0) {
        ShowFlags(t, 0, flagBoxes);
    } else {
        bool first = true;
        for (uint16_t i = 0; i < t.entryCount; ++i) {
            if (t.entries[i].appIndex != app)
                continue;
            AppendVersionRow(versionCombo, t.entries[i]);
            if (first) {
                ShowFlags(t, i, flagBoxes);
                first = false;
            }
        }
    }
    SendMessageA(versionCombo, CB_SETCURSEL, 0, 0);
}

void ShowTable(const FlagTable& t, HWND appCombo, HWND versionCombo, FlagBoxes flagBoxes)
{
    SendMessageA(appCombo, CB_RESETCONTENT, 0, 0);
    SendMessageA(versionCombo, CB_RESETCONTENT, 0, 0);
    UncheckAllFlags(flagBoxes);
    for (uint16_t i = 0; i < t.appCount; ++i)
        InsertAppRow(appCombo, i, t.appNames[i]);
    for (uint16_t j = 0; j < t.entryCount; ++j) {
        if (t.entries[j].appIndex != 0)
            continue;
        AppendVersionRow(versionCombo, t.entries[j]);
        if (j == 0)
            ShowFlags(t, 0, flagBoxes);
    }
    SendMessageA(appCombo, CB_SETCURSEL, 0, 0);
    SendMessageA(versionCombo, CB_SETCURSEL, 0, 0);
}

int32_t SelectedRow(HWND combo)
{
    LRESULT row = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return row == CB_ERR || row < 0 ? -1 : static_cast<int32_t>(row);
}

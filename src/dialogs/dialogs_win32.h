// The About box, the two input dialogs, Find Application and Browse.
//
// The input dialogs are run with DialogBoxParamA and an InputDialogParam* as
// its last argument (lParam); their OK writes inputAppName (New Application
// only), inputVersionMS and inputVersionLS into its values and ends with 1
// (IDOK). Cancel ends with 2 (IDCANCEL). Both set the two version halves to
// 0 when they open. A null pointer ends the dialog at once with 2.
#pragma once

#include <windows.h>

#include <cstdint>

#include "table/flag_table.h"
#include "table/text_check.h"

struct InputDialogParam {
    InputValues* values;
    // New Application: tells why the typed name is refused, with the dialog
    // (still open) as its first argument.
    void (*refuseName)(HWND dialog, AppNameCheck problem);
};

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Find Application, run with a FindDialogParam* as lParam: the field starts
// with `text` selected; OK, enabled while the field holds a character,
// writes the field back into `text` and ends with IDOK; Cancel ends with
// IDCANCEL and leaves `text` alone.
struct FindDialogParam {
    char* text;
    int size;  // of `text`, terminator included
};
INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NewAppDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK NewVersionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The open-file dialog; for a chosen file its name (without folder) and its
// fixed file version ("%08X" each half, 0 without version information) go
// into the three fields of `dialog`. Cancel changes nothing. When version.dll
// cannot be loaded a message says so and the version is 0.
void BrowseApplication(HWND dialog, int nameId, int msId, int lsId);
// dwFileVersionMS/LS of the file at `path`; 0 and both 0 without a readable
// version resource; -1 and both 0 when version.dll cannot be loaded.
int ReadFileVersion(const char* path, uint32_t* ms, uint32_t* ls);

// Removes every character but the hexadecimal digits from one field, with
// one exclamation beep (platform.messageBeep) when it removed anything.
void FilterHexField(HWND dialog, int fieldId);

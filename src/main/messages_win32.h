// What the store, the printer discovery and the New Application dialog
// report, shown as the program's message boxes, owned by the main window.
#pragma once

#include <windows.h>

#include "printer/printer_list_win32.h"
#include "store/registry_layout.h"
#include "store/store_fault.h"
#include "table/text_check.h"

// A reporter for LoadFlagTable and SaveFlagTable: each failure in a box of
// its own as it happens, owned by `owner`.
StoreReporter StoreMessages(HWND owner);
// The summary of what a load passed over; nothing when it passed over nothing.
void ShowLoadSkips(HWND owner, const LoadSkips& skips);
// The printer discovery's error, if any, then "There is no VRX-2260 found."
// unless a printer of the model was found. Error boxes take the caption of
// string 16 and the exclamation icon.
void ShowPrinterSearch(HWND owner, const PrinterSearch& search);
// The New Application dialog's refusal of a name, owned by the dialog's
// owner (the main window) while the dialog stays open.
void ShowNameRefusal(HWND dialog, AppNameCheck problem);

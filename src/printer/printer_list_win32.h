// The Target Printer list: the installed printers of the supported model.
#pragma once

#include <windows.h>

// Lists every local and connected printer whose name, port or driver name
// contains "VRX-2260", as "name;port;driver" in the spooler's order, through
// platform.enumPrinters and platform.localAlloc. With one
// found, row 0 is selected and CBN_SELCHANGE of the list is posted to its
// parent; otherwise "There is no VRX-2260 found." is shown, after "Cannot
// load <path> (error N)" when the spooler's DLL cannot be loaded. Messages are
// owned by the list's parent, the main window. 1 when a printer of the
// model was listed.
int FillPrinterList(HWND printerCombo);

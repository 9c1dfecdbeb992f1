// The Target Printer list: the installed printers of the supported model.
#pragma once

#include <windows.h>

// The spooler and the heap calls of FillPrinterList, replaceable so that
// tests can hand it chosen printer records or make a call fail. The spooler
// is winspool.drv of the system folder, loaded at the first run, while
// enumPrintersImpl is null.
using EnumPrintersFn = BOOL(WINAPI*)(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size,
                                     LPDWORD needed, LPDWORD returned);
using LocalAllocFn = HLOCAL(WINAPI*)(UINT flags, SIZE_T bytes);
extern EnumPrintersFn enumPrintersImpl;  // null: EnumPrintersA of the system's winspool.drv
extern LocalAllocFn localAllocImpl;      // LocalAlloc

// Lists every local and connected printer whose name, port or driver name
// contains "VRX-2260", as "name;port;driver" in the spooler's order. With one
// found, row 0 is selected and CBN_SELCHANGE of the list is posted to its
// parent; otherwise "There is no VRX-2260 found." is shown, after "Cannot
// load <path> (error N)" when the spooler's DLL cannot be loaded. Messages are
// owned by the list's parent, the main window. 1 when a printer of the
// model was listed.
int FillPrinterList(HWND printerCombo);

// The Target Printer list: the installed printers of the supported model.
#pragma once

#include <windows.h>

// What the listing came to; the caller shows the messages. Every outcome but
// Found leaves the list empty, and is followed by "There is no VRX-2260
// found." in the editor.
enum class PrinterOutcome {
    Found,       // printers of the model are listed
    NoneFound,   // the spooler lists none of the model
    NoMemory,    // LocalAlloc refused the block for the spooler's records
    EnumFailed,  // EnumPrintersA failed when asked for the records
    NoSpooler,   // winspool.drv of the system folder could not be loaded
};

struct PrinterSearch {
    PrinterOutcome outcome;
    DWORD error;          // GetLastError after the call that failed, 0 for Found and NoneFound
    char path[MAX_PATH];  // the spooler's full path (NoSpooler), else empty
};

// Where the rows go: add(context, row) once for each, in order.
struct PrinterRows {
    void (*add)(void* context, const char* row);
    void* context;
};

// Lists every local and connected printer whose name, port or driver name
// contains "VRX-2260", as "name;port;driver" in the spooler's order, through
// platform.enumPrinters and platform.localAlloc.
PrinterSearch FillPrinterList(const PrinterRows& rows);

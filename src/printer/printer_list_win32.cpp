#include "printer/printer_list_win32.h"

#include "base/platform_win32.h"
#include "base/system_function_win32.h"
#include "printer/printer_row.h"
#include "resource.h"

namespace {

using EnumPrintersFn = decltype(Platform::enumPrinters);

// platform.enumPrinters, or else EnumPrintersA from winspool.drv of the
// system folder. Null, with the path and the error in `search`, when the DLL
// cannot be loaded.
EnumPrintersFn Spooler(PrinterSearch& search)
{
    if (platform.enumPrinters)
        return platform.enumPrinters;
    EnumPrintersFn spooler = SystemLibraryFunction<EnumPrintersFn>("winspool.drv", "EnumPrintersA");
    if (!spooler) {
        search.error = GetLastError();
        search.outcome = PrinterOutcome::NoSpooler;
        SystemLibraryPath("winspool.drv", search.path, sizeof search.path);
    }
    return spooler;
}

// 1 when any was listed.
int ListMatchingPrinters(const PrinterRows& rows, const PRINTER_INFO_2A* printers, DWORD count)
{
    int found = 0;
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        if (!IsTargetPrinter(p.pPrinterName, p.pPortName, p.pDriverName))
            continue;
        char row[kPrinterRowSize];
        BuildPrinterRow(row, sizeof row, p.pPrinterName, p.pPortName, p.pDriverName);
        rows.add(rows.context, row);
        found = 1;
    }
    return found;
}

}  // namespace

PrinterSearch FillPrinterList(const PrinterRows& rows)
{
    PrinterSearch search = {PrinterOutcome::NoneFound, 0, ""};
    EnumPrintersFn enumPrinters = Spooler(search);
    if (!enumPrinters)
        return search;

    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD returned = 0;
    // Only the size is wanted here; the call itself reports "buffer too small".
    enumPrinters(flags, nullptr, 2, nullptr, 0, &needed, &returned);

    // Four spare bytes so that a spooler that reports 0 still gets a block.
    BYTE* block = static_cast<BYTE*>(platform.localAlloc(LPTR, needed + 4));
    if (!block) {
        search.error = GetLastError();
        search.outcome = PrinterOutcome::NoMemory;
        return search;
    }
    DWORD size = needed;
    returned = 0;
    if (!enumPrinters(flags, nullptr, 2, block, size, &needed, &returned)) {
        search.error = GetLastError();
        search.outcome = PrinterOutcome::EnumFailed;
    } else {
        // Never read records beyond the block, whatever count comes back.
        DWORD fit = size / sizeof(PRINTER_INFO_2A);
        if (ListMatchingPrinters(rows, reinterpret_cast<const PRINTER_INFO_2A*>(block),
                                 returned < fit ? returned : fit))
            search.outcome = PrinterOutcome::Found;
    }
    LocalFree(block);
    return search;
}

#include "printer/printer_list_win32.h"

#include "main/main_window_win32.h"
#include "main/message_box_win32.h"
#include "printer/printer_row.h"
#include "resource.h"

EnumPrintersFn enumPrintersImpl = EnumPrintersA;
LocalAllocFn localAllocImpl = LocalAlloc;
int printerFound = 0;

namespace {

void ShowPrinterError(HWND owner, UINT textId)
{
    ShowMessage(owner, LoadResText(textId), LoadResCaption(IDS_ERROR_CAPTION), MB_OK | MB_ICONEXCLAMATION);
}

void ListMatchingPrinters(HWND printerCombo, const PRINTER_INFO_2A* printers, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        if (!IsTargetPrinter(p.pPrinterName, p.pPortName, p.pDriverName))
            continue;
        char row[kPrinterRowSize];
        BuildPrinterRow(row, sizeof row, p.pPrinterName, p.pPortName, p.pDriverName);
        SendMessageA(printerCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
        printerFound = 1;
    }
}

}  // namespace

void FillPrinterList(HWND printerCombo)
{
    HWND owner = GetParent(printerCombo);
    SendMessageA(printerCombo, CB_RESETCONTENT, 0, 0);
    printerFound = 0;

    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD returned = 0;
    // Only the size is wanted here; the call itself reports "buffer too small".
    enumPrintersImpl(flags, nullptr, 2, nullptr, 0, &needed, &returned);

    // Four spare bytes so that a spooler that reports 0 still gets a block.
    BYTE* block = static_cast<BYTE*>(localAllocImpl(LPTR, needed + 4));
    if (!block) {
        ShowPrinterError(owner, IDS_LOCALALLOC_FAILED);
    } else {
        DWORD size = needed;
        returned = 0;
        if (!enumPrintersImpl(flags, nullptr, 2, block, size, &needed, &returned)) {
            ShowPrinterError(owner, IDS_ENUMPRINTERS_FAILED);
        } else if (returned == 0) {
            ShowAppMessage(owner, LoadResText(IDS_NO_PRINTER));
            LocalFree(block);
            return;
        } else {
            // Never read records beyond the block, whatever count comes back.
            DWORD fit = size / sizeof(PRINTER_INFO_2A);
            ListMatchingPrinters(printerCombo, reinterpret_cast<const PRINTER_INFO_2A*>(block),
                                 returned < fit ? returned : fit);
        }
    }

    if (printerFound) {
        SendMessageA(printerCombo, CB_SETCURSEL, 0, 0);
        PostMessageA(owner, WM_COMMAND, MAKEWPARAM(IDC_PRINTER, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(printerCombo));
    } else {
        ShowAppMessage(owner, LoadResText(IDS_NO_PRINTER));
    }
    if (block)
        LocalFree(block);
}

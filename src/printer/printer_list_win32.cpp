#include "printer/printer_list_win32.h"

#include "base/message_box_win32.h"
#include "base/platform_win32.h"
#include "base/res_text_win32.h"
#include "base/system_function_win32.h"
#include "printer/printer_row.h"
#include "resource.h"

namespace {

using EnumPrintersFn = decltype(Platform::enumPrinters);

void ShowPrinterError(HWND owner, UINT textId)
{
    char text[260];
    char caption[260];
    ShowMessage(owner, LoadResString(textId, text, sizeof text), LoadResString(IDS_ERROR_CAPTION, caption, sizeof caption),
                MB_OK | MB_ICONEXCLAMATION);
}

// platform.enumPrinters, or else EnumPrintersA from winspool.drv of the
// system folder. Null, and the path named in a message, when the DLL cannot
// be loaded.
EnumPrintersFn Spooler(HWND owner)
{
    if (platform.enumPrinters)
        return platform.enumPrinters;
    EnumPrintersFn spooler = SystemLibraryFunction<EnumPrintersFn>("winspool.drv", "EnumPrintersA");
    if (!spooler)
        ShowLoadFailure(owner, "winspool.drv");
    return spooler;
}

void ShowNoPrinter(HWND owner)
{
    char text[260];
    ShowAppMessage(owner, LoadResString(IDS_NO_PRINTER, text, sizeof text));
}

// 1 when any was listed.
int ListMatchingPrinters(HWND printerCombo, const PRINTER_INFO_2A* printers, DWORD count)
{
    int found = 0;
    for (DWORD i = 0; i < count; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        if (!IsTargetPrinter(p.pPrinterName, p.pPortName, p.pDriverName))
            continue;
        char row[kPrinterRowSize];
        BuildPrinterRow(row, sizeof row, p.pPrinterName, p.pPortName, p.pDriverName);
        SendMessageA(printerCombo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(row));
        found = 1;
    }
    return found;
}

}  // namespace

int FillPrinterList(HWND printerCombo)
{
    HWND owner = GetParent(printerCombo);
    SendMessageA(printerCombo, CB_RESETCONTENT, 0, 0);
    EnumPrintersFn enumPrinters = Spooler(owner);
    if (!enumPrinters) {
        ShowNoPrinter(owner);
        return 0;
    }
    int found = 0;

    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD returned = 0;
    // Only the size is wanted here; the call itself reports "buffer too small".
    enumPrinters(flags, nullptr, 2, nullptr, 0, &needed, &returned);

    // Four spare bytes so that a spooler that reports 0 still gets a block.
    BYTE* block = static_cast<BYTE*>(platform.localAlloc(LPTR, needed + 4));
    if (!block) {
        ShowPrinterError(owner, IDS_LOCALALLOC_FAILED);
    } else {
        DWORD size = needed;
        returned = 0;
        if (!enumPrinters(flags, nullptr, 2, block, size, &needed, &returned)) {
            ShowPrinterError(owner, IDS_ENUMPRINTERS_FAILED);
        } else if (returned == 0) {
            ShowNoPrinter(owner);
            LocalFree(block);
            return 0;
        } else {
            // Never read records beyond the block, whatever count comes back.
            DWORD fit = size / sizeof(PRINTER_INFO_2A);
            found = ListMatchingPrinters(printerCombo, reinterpret_cast<const PRINTER_INFO_2A*>(block),
                                         returned < fit ? returned : fit);
        }
    }

    if (found) {
        SendMessageA(printerCombo, CB_SETCURSEL, 0, 0);
        PostMessageA(owner, WM_COMMAND, MAKEWPARAM(IDC_PRINTER, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(printerCombo));
    } else {
        ShowNoPrinter(owner);
    }
    if (block)
        LocalFree(block);
    return found;
}

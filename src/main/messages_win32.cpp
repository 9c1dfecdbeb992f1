#include "main/messages_win32.h"

#include "base/message_box_win32.h"
#include "base/res_text_win32.h"
#include "resource.h"
#include "table/edit_commands.h"

namespace {

void ShowStoreFault(void* owner, const StoreFault& fault)
{
    char text[512];
    FormatStoreFault(text, sizeof text, fault);
    ShowAppMessage(static_cast<HWND>(owner), text);
}

void ShowPrinterError(HWND owner, UINT textId)
{
    char text[260];
    char caption[260];
    ShowMessage(owner, LoadResString(textId, text, sizeof text),
                LoadResString(IDS_ERROR_CAPTION, caption, sizeof caption), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

StoreReporter StoreMessages(HWND owner)
{
    return {ShowStoreFault, owner};
}

void ShowLoadSkips(HWND owner, const LoadSkips& skips)
{
    if (!AnySkipped(skips))
        return;
    char text[256];
    FormatLoadSkips(text, sizeof text, skips);
    ShowAppMessage(owner, text);
}

void ShowPrinterSearch(HWND owner, const PrinterSearch& search)
{
    switch (search.outcome) {
    case PrinterOutcome::Found:
        return;
    case PrinterOutcome::NoneFound:
        break;
    case PrinterOutcome::NoMemory:
        ShowPrinterError(owner, IDS_LOCALALLOC_FAILED);
        break;
    case PrinterOutcome::EnumFailed:
        ShowPrinterError(owner, IDS_ENUMPRINTERS_FAILED);
        break;
    case PrinterOutcome::NoSpooler:
        ShowLoadError(owner, search.path, search.error);
        break;
    }
    char text[260];
    ShowAppMessage(owner, LoadResString(IDS_NO_PRINTER, text, sizeof text));
}

void ShowNameRefusal(HWND dialog, AppNameCheck problem)
{
    ShowAppMessage(GetParent(dialog), AppNameMessage(problem));
}

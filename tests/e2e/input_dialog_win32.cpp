#include "input_dialog_win32.h"

#include <string.h>

#include <vector>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace {

struct DialogSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    char cls[16];
    if (GetClassNameA(window, cls, sizeof cls) && strcmp(cls, "#32770") == 0 && IsWindowVisible(window) &&
        WindowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

AssertionResult WaitForDialog(AppProcess& app, const char* caption, HWND& dialog, DWORD timeoutMs)
{
    DialogSearch search = {caption, nullptr};
    WaitUntil(timeoutMs, [&] {
        EnumThreadWindows(app.process.dwThreadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        return search.found || WaitForSingleObject(app.process.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (!search.found)
        return AssertionFailure() << "no dialog \"" << caption << "\" within " << timeoutMs << " ms, or VAVEZAV.exe ended";
    dialog = search.found;
    return Settle(app);
}

AssertionResult ClickDialogControl(AppProcess& app, HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return AssertionFailure() << "the dialog has no control " << id;
    AssertionResult front = BringWindowForward(app, dialog);
    if (!front)
        return front;
    return ClickWindowCentre(app, control);
}

AssertionResult TypeIntoDialog(AppProcess& app, HWND dialog, const char* text)
{
    return TypeText(app, dialog, text);
}

AssertionResult FillDialogField(AppProcess& app, HWND dialog, int id, const char* text)
{
    AssertionResult clicked = ClickDialogControl(app, dialog, id);
    if (!clicked)
        return clicked;
    return TypeIntoDialog(app, dialog, text);
}

AssertionResult WaitForDialogClosed(AppProcess& app, HWND dialog, DWORD timeoutMs)
{
    if (!WaitUntil(timeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        return AssertionFailure() << "the dialog \"" << WindowText(dialog) << "\" did not close";
    return Settle(app);
}

std::string FieldText(HWND field)
{
    wchar_t text[256] = L"";
    DWORD_PTR got = 0;
    SendWithin(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), &got);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

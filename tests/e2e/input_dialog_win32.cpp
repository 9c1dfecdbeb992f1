#include "input_dialog_win32.h"

#include "window_search_win32.h"

#include <string.h>

#include <vector>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

namespace {

}  // namespace

AssertionResult WaitForDialog(AppProcess& app, const char* caption, HWND& dialog, DWORD timeoutMs)
{
    WaitUntil(timeoutMs, [&] {
        dialog = FindThreadWindow(app.process.dwThreadId,
                                  [&](HWND w) { return HasClass(w, "#32770") && WindowText(w) == caption; });
        return dialog || WaitForSingleObject(app.process.hProcess, 0) == WAIT_OBJECT_0;
    });
    if (!dialog)
        return AssertionFailure() << "no dialog \"" << caption << "\" within " << timeoutMs << " ms, or VAVEZAV.exe ended";
    return Settle(app);
}

AssertionResult ClickDialogControl(AppProcess& app, HWND dialog, int id)
{
    return ClickInWindow(app, dialog, GetDlgItem(dialog, id));
}

AssertionResult FillDialogField(AppProcess& app, HWND dialog, int id, const char* text)
{
    AssertionResult clicked = ClickDialogControl(app, dialog, id);
    if (!clicked)
        return clicked;
    return TypeText(app, dialog, text);
}

AssertionResult WaitForDialogClosed(AppProcess& app, HWND dialog, DWORD timeoutMs)
{
    if (!WaitUntil(timeoutMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }))
        return AssertionFailure() << "the dialog \"" << WindowText(dialog) << "\" did not close";
    return Settle(app);
}


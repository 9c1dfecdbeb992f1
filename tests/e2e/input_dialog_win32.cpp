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

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

AssertionResult BringForward(AppProcess& app, HWND dialog)
{
    if (GetForegroundWindow() != dialog)
        SetForegroundWindow(dialog);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != dialog) {
        if (GetTickCount() - start > 2000)
            return AssertionFailure() << "the dialog did not come to the foreground";
        Pump();
        Sleep(5);
    }
    return Settle(app);
}

INPUT Key(WORD vk, bool up)
{
    INPUT in;
    memset(&in, 0, sizeof in);
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

}  // namespace

AssertionResult WaitForDialog(AppProcess& app, const char* caption, HWND& dialog, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        DialogSearch search = {caption, nullptr};
        EnumThreadWindows(app.process.dwThreadId, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            dialog = search.found;
            return Settle(app);
        }
        if (WaitForSingleObject(app.process.hProcess, 0) == WAIT_OBJECT_0)
            return AssertionFailure() << "VAVEZAV.exe ended while waiting for the dialog \"" << caption << "\"";
        if (GetTickCount() - start > timeoutMs)
            return AssertionFailure() << "no dialog \"" << caption << "\" within " << timeoutMs << " ms";
        Pump();
        Sleep(5);
    }
}

AssertionResult ClickDialogControl(AppProcess& app, HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return AssertionFailure() << "the dialog has no control " << id;
    AssertionResult front = BringForward(app, dialog);
    if (!front)
        return front;
    return ClickWindowCentre(app, control);
}

AssertionResult TypeIntoDialog(AppProcess& app, HWND dialog, const char* text)
{
    AssertionResult front = BringForward(app, dialog);
    if (!front)
        return front;
    std::vector<INPUT> keys;
    for (const char* p = text; *p; ++p) {
        SHORT scan = VkKeyScanA(*p);
        if (scan == -1)
            return AssertionFailure() << "no key gives '" << *p << "'";
        WORD vk = LOBYTE(scan);
        bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            keys.push_back(Key(VK_SHIFT, false));
        keys.push_back(Key(vk, false));
        keys.push_back(Key(vk, true));
        if (shift)
            keys.push_back(Key(VK_SHIFT, true));
    }
    UINT n = static_cast<UINT>(keys.size());
    if (n && SendInput(n, keys.data(), sizeof(INPUT)) != n)
        return AssertionFailure() << "SendInput failed, error " << GetLastError();
    return Settle(app);
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
    DWORD start = GetTickCount();
    while (IsWindow(dialog) && IsWindowVisible(dialog)) {
        if (GetTickCount() - start > timeoutMs)
            return AssertionFailure() << "the dialog \"" << WindowText(dialog) << "\" did not close";
        Pump();
        Sleep(5);
    }
    return Settle(app);
}

std::string FieldText(HWND field)
{
    wchar_t text[256] = L"";
    DWORD_PTR got = 0;
    SendMessageTimeoutW(field, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
    char narrow[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

#include "driver_win32.h"

#include "file_text.h"
#include "window_search_win32.h"

#include <stdio.h>
#include <string.h>

using ::testing::AssertionFailure;
using ::testing::AssertionResult;
using ::testing::AssertionSuccess;

// Keeps the driver's own window responsive while it waits.
void PumpDriverMessages()
{
    PumpThreadMessages();
}

INPUT KeyInput(WORD vk, bool up)
{
    INPUT in;
    memset(&in, 0, sizeof in);
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

namespace {

struct ProbeChannel {
    HANDLE mapping = nullptr;
    HANDLE done = nullptr;
    const ProbeReport* view = nullptr;
    HMODULE dll = nullptr;
    HOOKPROC hook = nullptr;
    LONG sequence = 0;
};

ProbeChannel channel;


AssertionResult ExitedFailure(const AppProcess& app, const char* during)
{
    DWORD code = 0;
    GetExitCodeProcess(app.process.hProcess, &code);
    return AssertionFailure() << "VAVEZAV.exe ended (exit code " << code << ") while " << during;
}

AssertionResult OpenChannel()
{
    if (channel.hook)
        return AssertionSuccess();
    char name[64];
    snprintf(name, sizeof name, MENU_PROBE_MAPPING, GetCurrentProcessId());
    channel.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeReport), name);
    if (!channel.mapping)
        return AssertionFailure() << "CreateFileMapping failed, error " << GetLastError();
    channel.view = static_cast<const ProbeReport*>(MapViewOfFile(channel.mapping, FILE_MAP_READ, 0, 0, 0));
    snprintf(name, sizeof name, MENU_PROBE_EVENT, GetCurrentProcessId());
    channel.done = CreateEventA(nullptr, FALSE, FALSE, name);
#ifdef MENU_PROBE_DLL
    std::string dll = WindowsPath(MENU_PROBE_DLL);
#else
    std::string dll = "menu_probe.dll";
#endif
    channel.dll = LoadLibraryA(dll.c_str());
    if (!channel.view || !channel.done || !channel.dll)
        return AssertionFailure() << "probe channel not ready (view, event or " << dll << "), error " << GetLastError();
    auto getter =
        reinterpret_cast<ProbeHookGetter>(reinterpret_cast<void*>(GetProcAddress(channel.dll, MENU_PROBE_GETTER)));
    channel.hook = getter ? getter() : nullptr;
    if (!channel.hook)
        return AssertionFailure() << dll << " exports no " << MENU_PROBE_GETTER;
    return AssertionSuccess();
}

UINT ProbeMessage()
{
    static UINT message = RegisterWindowMessageA(MENU_PROBE_MESSAGE);
    return message;
}

// One round trip: the request is posted behind everything already queued for
// the program, so its answer means those messages have been handled.
AssertionResult Probe(AppProcess& app, ProbeReport& report, DWORD timeoutMs)
{
    LONG sequence = ++channel.sequence;
    if (!PostMessageA(app.window, ProbeMessage(), static_cast<WPARAM>(sequence), GetCurrentProcessId()))
        return AssertionFailure() << "cannot post to the main window, error " << GetLastError();
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return AssertionFailure() << "the program did not answer the menu probe within " << timeoutMs
                                      << " ms (hung, or the hook DLL was not loaded)";
        HANDLE handles[2] = {channel.done, app.process.hProcess};
        DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            report = *channel.view;
            if (report.sequence == sequence)
                break;
            continue;  // a late answer to an earlier request
        }
        if (r == WAIT_OBJECT_0 + 1)
            return ExitedFailure(app, "waiting for the menu probe");
        PumpDriverMessages();
    }
    if (report.processId != app.process.dwProcessId)
        return AssertionFailure() << "the probe answered from process " << report.processId << ", not "
                                  << app.process.dwProcessId;
    return AssertionSuccess();
}

AssertionResult WaitForeground(AppProcess& app, HWND window)
{
    if (!WaitUntil(kForegroundTimeoutMs, [&] { return GetForegroundWindow() == window; }))
        return AssertionFailure() << "window " << window << " did not come to the foreground (foreground is "
                                  << GetForegroundWindow() << ")";
    return Settle(app);
}

std::string Narrow(const wchar_t* text)
{
    char buf[512];
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buf, sizeof buf, nullptr, nullptr);
    return n > 0 ? std::string(buf) : std::string();
}

}  // namespace

AppProcess::~AppProcess()
{
    if (process.hProcess)
        StopApp(*this);
}

std::string VavezavExePath()
{
    return WindowsPath(VAVEZAV_EXE);
}

AssertionResult StartApp(AppProcess& app, const std::string& exe)
{
    AssertionResult ready = OpenChannel();
    if (!ready)
        return ready;
    STARTUPINFOA si;
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    char commandLine[MAX_PATH + 2];
    snprintf(commandLine, sizeof commandLine, "\"%s\"", exe.c_str());
    if (!CreateProcessA(exe.c_str(), commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &app.process))
        return AssertionFailure() << "CreateProcess " << exe << " failed, error " << GetLastError();
    WaitUntil(kStartTimeoutMs, [&] {
        app.window = FindThreadWindow(app.process.dwThreadId, [](HWND w) { return HasClass(w, "APPEDIT"); });
        return app.window || Exited(app);
    });
    if (!app.window && Exited(app))
        return ExitedFailure(app, "starting");
    if (!app.window)
        return AssertionFailure() << "no visible APPEDIT window within " << kStartTimeoutMs << " ms";
    app.probeHook = SetWindowsHookExA(WH_GETMESSAGE, channel.hook, channel.dll, app.process.dwThreadId);
    if (!app.probeHook)
        return AssertionFailure() << "SetWindowsHookEx on the program's thread failed, error " << GetLastError();
    return Settle(app);
}

AssertionResult Settle(AppProcess& app, DWORD timeoutMs)
{
    // Posted messages and input behind the request mean the program has not
    // caught up yet: a posted message may itself post another (start-up posts
    // the printer selection), and typed keys come after posted messages.
    const DWORD pending = QS_KEY | QS_MOUSEBUTTON | QS_POSTMESSAGE;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return AssertionFailure() << "the program did not settle within " << timeoutMs << " ms";
        ProbeReport report;
        AssertionResult answered = Probe(app, report, timeoutMs - elapsed);
        if (!answered)
            return answered;
        if (!(report.queueBits & pending))
            return AssertionSuccess();
        Sleep(1);
    }
}

AssertionResult ReadMenu(AppProcess& app, ProbeReport& report)
{
    AssertionResult answered = Probe(app, report, kSettleTimeoutMs);
    if (!answered)
        return answered;
    if (!report.hasMenu)
        return AssertionFailure() << "the main window has no menu";
    if (report.overflow)
        return AssertionFailure() << "the menu has more than " << kProbeMaxItems << " items";
    return AssertionSuccess();
}

int MenuState(const ProbeReport& report, UINT command)
{
    for (int i = 0; i < report.itemCount; ++i)
        if (report.items[i].id == command)
            return static_cast<int>(report.items[i].state);
    return -1;
}

AssertionResult MenuCommandsAre(const ProbeReport& report, const UINT* commands, size_t count, bool enabled)
{
    std::string wrong;
    for (size_t i = 0; i < count; ++i) {
        int state = MenuState(report, commands[i]);
        bool grayed = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        if (state != -1 && grayed != enabled)
            continue;
        wrong += std::to_string(commands[i]);
        wrong += state == -1 ? " missing; " : grayed ? " greyed; " : " enabled; ";
    }
    if (wrong.empty())
        return AssertionSuccess();
    return AssertionFailure() << "expected all " << (enabled ? "enabled" : "greyed") << ": " << wrong;
}

AssertionResult MenuCommandsAre(AppProcess& app, const UINT* commands, size_t count, bool enabled)
{
    ProbeReport report;
    AssertionResult read = ReadMenu(app, report);
    return read ? MenuCommandsAre(report, commands, count, enabled) : read;
}

HWND Control(const AppProcess& app, int id)
{
    return GetDlgItem(app.window, id);
}

std::vector<std::string> ComboRows(HWND combo)
{
    std::vector<std::string> rows;
    DWORD_PTR count = 0;
    if (!SendWithin(combo, CB_GETCOUNT, 0, 0, &count))
        return rows;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR len = 0;
        SendWithin(combo, CB_GETLBTEXTLEN, i, 0, &len);
        std::vector<wchar_t> text(static_cast<size_t>(len) + 1, L'\0');
        DWORD_PTR got = 0;
        // The W message: across processes an A one hands back UTF-16 under Wine.
        SendWithin(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()), &got);
        rows.push_back(Narrow(text.data()));
    }
    return rows;
}

int ComboSelection(HWND combo)
{
    DWORD_PTR sel = static_cast<DWORD_PTR>(-2);
    if (!SendWithin(combo, CB_GETCURSEL, 0, 0, &sel))
        return -2;
    return static_cast<int>(sel);
}

bool BoxChecked(HWND box)
{
    DWORD_PTR state = 0;
    SendWithin(box, BM_GETCHECK, 0, 0, &state);
    return state == BST_CHECKED;
}

std::string WindowText(HWND window)
{
    wchar_t text[512];
    text[0] = L'\0';
    GetWindowTextW(window, text, 512);
    return Narrow(text);
}

bool Exited(const AppProcess& app)
{
    return !app.process.hProcess || WaitForSingleObject(app.process.hProcess, 0) == WAIT_OBJECT_0;
}

HWND FocusWindow(const AppProcess& app)
{
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(app.process.dwThreadId, &info) ? info.hwndFocus : nullptr;
}

std::string FieldText(HWND field)
{
    wchar_t text[512] = L"";
    DWORD_PTR got = 0;
    SendWithin(field, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), &got);
    return Narrow(text);
}

AssertionResult ClickInWindow(AppProcess& app, HWND window, HWND control)
{
    if (!control)
        return AssertionFailure() << "no such control in \"" << WindowText(window) << "\"";
    AssertionResult front = BringWindowForward(app, window);
    return front ? ClickWindowCentre(app, control) : front;
}

int FocusedControl(const AppProcess& app)
{
    HWND focus = FocusWindow(app);
    if (!focus)
        return kNoFocus;
    if (focus == app.window)
        return kFocusOnMainWindow;
    HWND child = focus;
    while (child && GetParent(child) != app.window)
        child = GetParent(child);
    return child ? GetDlgCtrlID(child) : kNoFocus;
}

AssertionResult BringWindowForward(AppProcess& app, HWND window)
{
    if (GetForegroundWindow() == window)
        return AssertionSuccess();
    SetForegroundWindow(window);
    return WaitForeground(app, window);
}

// The keys, then whatever the program does with them.
AssertionResult SendKeys(AppProcess& app, std::vector<INPUT>& keys)
{
    UINT n = static_cast<UINT>(keys.size());
    if (n && SendInput(n, keys.data(), sizeof(INPUT)) != n)
        return AssertionFailure() << "SendInput failed, error " << GetLastError();
    return Settle(app);
}

AssertionResult TypeText(AppProcess& app, HWND foreground, const char* text)
{
    AssertionResult front = BringWindowForward(app, foreground);
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
            keys.push_back(KeyInput(VK_SHIFT, false));
        keys.push_back(KeyInput(vk, false));
        keys.push_back(KeyInput(vk, true));
        if (shift)
            keys.push_back(KeyInput(VK_SHIFT, true));
    }
    return SendKeys(app, keys);
}

AssertionResult PressKey(AppProcess& app, WORD vk, UINT modifiers, HWND foreground)
{
    AssertionResult front = BringWindowForward(app, foreground ? foreground : app.window);
    if (!front)
        return front;
    // Modifiers go down in this order and come up in the reverse one.
    const struct {
        UINT mod;
        WORD vk;
    } kModifiers[] = {{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}};
    std::vector<INPUT> keys;
    for (const auto& m : kModifiers)
        if (modifiers & m.mod)
            keys.push_back(KeyInput(m.vk, false));
    keys.push_back(KeyInput(vk, false));
    keys.push_back(KeyInput(vk, true));
    for (int i = 2; i >= 0; --i)
        if (modifiers & kModifiers[i].mod)
            keys.push_back(KeyInput(kModifiers[i].vk, true));
    return SendKeys(app, keys);
}

AssertionResult ClickControl(AppProcess& app, int id)
{
    return ClickInWindow(app, app.window, Control(app, id));
}

AssertionResult ClickWindowCentre(AppProcess& app, HWND window)
{
    RECT r;
    if (!GetWindowRect(window, &r))
        return AssertionFailure() << "no window " << window << " to click";
    int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT events[3];
    memset(events, 0, sizeof events);
    for (INPUT& in : events) {
        in.type = INPUT_MOUSE;
        in.mi.dx = (x * 65535 + width / 2) / (width - 1);
        in.mi.dy = (y * 65535 + height / 2) / (height - 1);
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    events[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    events[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    // Wine moves the X pointer after each move, and X reports the pointer
    // back late, from where it was: a report that comes between press and
    // release takes the pointer off the button and the click is lost. So
    // the pointer first rests on the target until no late report moves it.
    DWORD start = GetTickCount();
    for (;;) {
        if (SendInput(1, &events[0], sizeof(INPUT)) != 1)
            return AssertionFailure() << "SendInput failed, error " << GetLastError();
        POINT at = {x, y};
        // Resting 40 ms without a move ends the wait with the pointer on the target.
        WaitUntil(40, [&] { return !GetCursorPos(&at) || at.x != x || at.y != y; });
        if (at.x == x && at.y == y)
            break;
        if (GetTickCount() - start > kForegroundTimeoutMs)
            return AssertionFailure() << "the pointer does not stay at (" << x << ", " << y << ")";
    }
    // Each button after the program has handled the one before, as a hand gives them.
    for (int i = 1; i < 3; ++i) {
        if (SendInput(1, &events[i], sizeof(INPUT)) != 1)
            return AssertionFailure() << "SendInput failed, error " << GetLastError();
        AssertionResult settled = Settle(app);
        if (!settled)
            return settled;
    }
    return AssertionSuccess();
}

AssertionResult SelectComboRow(AppProcess& app, int comboId, int row)
{
    HWND combo = Control(app, comboId);
    DWORD_PTR result = 0;
    if (!SendWithin(combo, CB_SETCURSEL, row, 0, &result) ||
        static_cast<int>(result) != row)
        return AssertionFailure() << "combo " << comboId << " has no row " << row;
    PostMessageA(app.window, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return Settle(app);
}

AssertionResult PostCommand(AppProcess& app, UINT command)
{
    if (!PostMessageA(app.window, WM_COMMAND, command, 0))
        return AssertionFailure() << "cannot post command " << command << ", error " << GetLastError();
    return Settle(app);
}

HWND OpenMessageBox(const AppProcess& app)
{
    return FindThreadDialog(app.process.dwThreadId);
}

AssertionResult WaitForMessageBox(AppProcess& app, HWND& box, DWORD timeoutMs)
{
    WaitUntil(timeoutMs, [&] { return (box = OpenMessageBox(app)) != nullptr || Exited(app); });
    if (box)
        return AssertionSuccess();
    if (Exited(app))
        return ExitedFailure(app, "waiting for a message box");
    return AssertionFailure() << "no message box within " << timeoutMs << " ms";
}

AssertionResult AnswerMessageBox(AppProcess& app, HWND box, int button, MessageBoxSeen* seen)
{
    MessageBoxSeen m;
    m.caption = WindowText(box);
    m.text = WindowText(GetDlgItem(box, 0xFFFF));
    auto has = [box](int id) {
        HWND b = GetDlgItem(box, id);
        return b && IsWindowVisible(b);
    };
    m.ok = has(IDOK);
    m.cancel = has(IDCANCEL);
    m.yes = has(IDYES);
    m.no = has(IDNO);
    HWND icon = GetDlgItem(box, 0x440);
    DWORD_PTR hicon = 0;
    if (icon && IsWindowVisible(icon))
        SendWithin(icon, STM_GETICON, 0, 0, &hicon);
    m.icon = hicon != 0;
    m.ownedByMainWindow = GetWindow(box, GW_OWNER) == app.window;
    m.answer = button;
    app.messages.push_back(m);
    if (seen)
        *seen = m;
    HWND target = GetDlgItem(box, button);
    if (!target)
        return AssertionFailure() << "message box \"" << m.text << "\" has no button " << button;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(target));
    if (!WaitUntil(kMessageBoxTimeoutMs, [&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        return AssertionFailure() << "message box \"" << m.text << "\" did not close";
    return AssertionSuccess();
}

AssertionResult SettleWithoutMessageBox(AppProcess& app)
{
    AssertionResult settled = Settle(app);
    if (!settled)
        return settled;
    HWND box = OpenMessageBox(app);
    if (box)
        return AssertionFailure() << "unexpected message box \"" << WindowText(GetDlgItem(box, 0xFFFF)) << "\"";
    return AssertionSuccess();
}

AssertionResult WaitForExit(AppProcess& app, DWORD timeoutMs, DWORD& exitCode)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        DWORD r = MsgWaitForMultipleObjects(1, &app.process.hProcess, FALSE, left, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            break;
        if (r != WAIT_OBJECT_0 + 1)
            return AssertionFailure() << "VAVEZAV.exe still running after " << timeoutMs << " ms";
        PumpDriverMessages();
    }
    GetExitCodeProcess(app.process.hProcess, &exitCode);
    return AssertionSuccess();
}

AssertionResult StopApp(AppProcess& app, DWORD timeoutMs)
{
    AssertionResult result = AssertionSuccess();
    if (app.probeHook) {
        UnhookWindowsHookEx(app.probeHook);
        app.probeHook = nullptr;
    }
    if (!app.process.hProcess)
        return result;
    if (!Exited(app)) {
        if (app.window)
            PostMessageA(app.window, WM_CLOSE, 0, 0);
        DWORD code = 0;
        if (!WaitForExit(app, timeoutMs, code)) {
            TerminateProcess(app.process.hProcess, 1);
            WaitForSingleObject(app.process.hProcess, kExitTimeoutMs);
            result = AssertionFailure() << "VAVEZAV.exe did not close within " << timeoutMs
                                        << " ms and was terminated";
        }
    }
    CloseHandle(app.process.hThread);
    CloseHandle(app.process.hProcess);
    app.process = PROCESS_INFORMATION{};
    app.window = nullptr;
    return result;
}

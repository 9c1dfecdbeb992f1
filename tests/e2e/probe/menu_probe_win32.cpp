// A WH_GETMESSAGE hook that the end-to-end driver puts on VAVEZAV.exe's GUI
// thread. Windows (and Wine) load this DLL into the program's process when the
// hook first runs there, so the menu is read from the inside. Test code only:
// nothing of it is linked into the program.
#include "menu_probe_win32.h"

#include <stdio.h>
#include <string.h>

static void AddItems(ProbeReport& r, HMENU menu, int depth)
{
    int count = GetMenuItemCount(menu);
    for (int pos = 0; pos < count; ++pos) {
        if (r.itemCount >= kProbeMaxItems) {
            r.overflow = 1;
            return;
        }
        ProbeMenuItem& item = r.items[r.itemCount++];
        item.depth = depth;
        item.state = GetMenuState(menu, pos, MF_BYPOSITION);
        item.id = GetMenuItemID(menu, pos);
        if (GetMenuStringA(menu, pos, item.text, kProbeTextSize, MF_BYPOSITION) <= 0)
            item.text[0] = '\0';
        HMENU sub = GetSubMenu(menu, pos);
        if (sub) {
            item.id = 0xFFFFFFFFu;
            AddItems(r, sub, depth + 1);
        } else if (item.state & MF_SEPARATOR) {
            item.id = 0;
        }
    }
}

static void Answer(const MSG& msg)
{
    char name[64];
    snprintf(name, sizeof name, MENU_PROBE_MAPPING, static_cast<unsigned long>(msg.lParam));
    HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (!mapping)
        return;
    auto* report = static_cast<ProbeReport*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport)));
    if (report) {
        ProbeReport r;
        memset(&r, 0, sizeof r);
        r.sequence = static_cast<LONG>(msg.wParam);
        r.processId = GetCurrentProcessId();
        r.threadId = GetCurrentThreadId();
        r.cyMenu = GetSystemMetrics(SM_CYMENU);
        HMENU menu = GetMenu(msg.hwnd);
        r.hasMenu = menu != nullptr;
        if (menu)
            AddItems(r, menu, 0);
        // Whatever still waits behind this request tells the driver whether
        // the program has caught up with the input and posts sent before it.
        r.queueBits = HIWORD(GetQueueStatus(QS_ALLINPUT));
        *report = r;
        UnmapViewOfFile(report);
    }
    CloseHandle(mapping);
    snprintf(name, sizeof name, MENU_PROBE_EVENT, static_cast<unsigned long>(msg.lParam));
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (done) {
        SetEvent(done);
        CloseHandle(done);
    }
}

static LRESULT CALLBACK MenuProbeHook(int code, WPARAM removed, LPARAM lParam)
{
    static UINT request = RegisterWindowMessageA(MENU_PROBE_MESSAGE);
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == request) {
        Answer(*msg);
        // The program never sees the request.
        msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

// A cdecl getter has the same undecorated export name with every compiler,
// unlike the stdcall hook procedure itself.
extern "C" __declspec(dllexport) HOOKPROC __cdecl MenuProbeHookProc()
{
    return MenuProbeHook;
}

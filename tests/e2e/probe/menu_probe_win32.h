// What the menu probe reports from inside VAVEZAV.exe. Another process cannot
// read a menu's item states under Wine (GetMenuState returns -1 there), so the
// driver installs the probe as a WH_GETMESSAGE hook on the program's thread and
// asks it, with a registered message, to copy the menu into shared memory.
#pragma once

#include <windows.h>

// Posted to the program's main window: wParam the request number, lParam the
// driver's process ID, which names the mapping and the event below.
#define MENU_PROBE_MESSAGE "VavezavMenuProbeRequest"
#define MENU_PROBE_MAPPING "VavezavMenuProbeReport-%lu"
#define MENU_PROBE_EVENT "VavezavMenuProbeDone-%lu"
// The hook procedure, exported without decoration through the getter.
#define MENU_PROBE_GETTER "MenuProbeHookProc"

constexpr int kProbeMaxItems = 64;
constexpr int kProbeTextSize = 40;

struct ProbeMenuItem {
    int depth;   // 0 for the menu bar, 1 for the items of a popup
    UINT id;     // command ID; 0xFFFFFFFF for a popup, 0 for a separator
    UINT state;  // GetMenuState by position, taken in the program's process
    char text[kProbeTextSize];
};

struct ProbeReport {
    LONG sequence;     // the request number it answers
    DWORD processId;   // the process the probe ran in
    DWORD threadId;
    LONG hasMenu;      // the window had a menu
    LONG itemCount;
    LONG overflow;     // more items than kProbeMaxItems
    DWORD queueBits;   // HIWORD of GetQueueStatus(QS_ALLINPUT) when answering
    int cyMenu;        // SM_CYMENU as the program sees it
    ProbeMenuItem items[kProbeMaxItems];
};

using ProbeHookGetter = HOOKPROC(__cdecl*)();

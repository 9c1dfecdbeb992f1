#include <windows.h>

#include "base/message_box_win32.h"
#include "base/res_text_win32.h"
#include "base/system_function_win32.h"
#include "main/main_window_win32.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR, int showCommand)
{
    // Before anything else can load a DLL from the program's folder.
    RestrictDllSearch();
    // Always null on 32-bit Windows: each process registers its own class.
    if (!previous && !RegisterMainClass(instance)) {
        char caption[260];
        ShowMessage(nullptr, "WinMain(): RegisterClass() failed", LoadResString(IDS_ERROR_CAPTION, caption, sizeof caption),
                    MB_ICONERROR);
        return 0;
    }
    // The layout is measured in the menu-bar height, so read it before
    // WM_CREATE lays out the controls.
    HWND window = CreateMainWindow(instance, GetSystemMetrics(SM_CYMENU));
    if (!window)
        return 0;
    ShowWindow(window, showCommand);
    HACCEL accelerators = LoadAcceleratorsA(instance, "MAINACCEL");

    // Every message of the thread passes the accelerators, so Tab and the
    // Alt keys work whichever control has the focus.
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(window, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

// The one way the Windows tests wait: poll a condition with a named time
// limit, keeping the waiting thread's own windows answering.
#pragma once

#include <windows.h>

// VAVEZAV_WAIT_SCALE (1 to 9) multiplies every limit below: set where the
// tests run under an emulator, several times slower than natively.
inline DWORD WaitScale()
{
    char text[4] = "";
    DWORD length = GetEnvironmentVariableA("VAVEZAV_WAIT_SCALE", text, sizeof text);
    return length == 1 && text[0] >= '1' && text[0] <= '9' ? static_cast<DWORD>(text[0] - '0') : 1;
}

// Time limits, one per kind of wait.
inline const DWORD kStartTimeoutMs = 10000 * WaitScale();     // the program's window after CreateProcess
inline const DWORD kSettleTimeoutMs = 5000 * WaitScale();     // the program handling what is queued
inline const DWORD kMessageBoxTimeoutMs = 5000 * WaitScale(); // a message box or dialog to open or close
inline const DWORD kExitTimeoutMs = 5000 * WaitScale();       // the program to end
inline const DWORD kForegroundTimeoutMs = 2000 * WaitScale(); // a window to come to the front, the pointer to rest
inline const DWORD kReplyTimeoutMs = 2000 * WaitScale();      // one message sent to another process
inline const DWORD kPumpTimeoutMs = 2000 * WaitScale();       // the test's own queue to run dry

// Handles whatever is queued for the calling thread.
inline void PumpThreadMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// True once done() holds; false when timeoutMs passed first.
template <typename Done>
bool WaitUntil(DWORD timeoutMs, Done done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpThreadMessages();
        Sleep(5);
    }
    return true;
}

// SendMessageTimeoutW that gives up on a hung receiver after kReplyTimeoutMs;
// false when it did.
inline bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr)
{
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                               result ? result : &ignored) != 0;
}

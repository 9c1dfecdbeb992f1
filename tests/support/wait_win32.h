// The one way the Windows tests wait: poll a condition with a named time
// limit, keeping the waiting thread's own windows answering.
#pragma once

#include <windows.h>

// Time limits, one per kind of wait.
constexpr DWORD kStartTimeoutMs = 10000;      // the program's window after CreateProcess
constexpr DWORD kSettleTimeoutMs = 5000;      // the program handling what is queued
constexpr DWORD kMessageBoxTimeoutMs = 5000;  // a message box or dialog to open or close
constexpr DWORD kExitTimeoutMs = 5000;        // the program to end
constexpr DWORD kForegroundTimeoutMs = 2000;  // a window to come to the front, the pointer to rest
constexpr DWORD kReplyTimeoutMs = 2000;       // one message sent to another process
constexpr DWORD kPumpTimeoutMs = 2000;        // the test's own queue to run dry

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

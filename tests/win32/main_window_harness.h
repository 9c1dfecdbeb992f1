// Shared by the main-window tests: a fake spooler, a recorder for message
// boxes, and the real main window made in this process.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/main_controls_win32.h"
#include "main/editor_window_win32.h"
#include "table/flag_table.h"
#include "message_recorder_win32.h"
#include "table_fixture_win32.h"
#include "wait_win32.h"

struct FakePrinter {
    std::string name;
    std::string port;
    std::string driver;
    bool nullFields = false;  // the spooler leaves port and driver empty (null)
};

struct SpoolerCall {
    DWORD flags;
    bool nameNull;
    DWORD level;
    bool bufferNull;
    DWORD size;
};

struct FakeSpooler {
    std::vector<FakePrinter> printers;
    bool failSecondCall = false;
    DWORD extraReturned = 0;  // reports more records than it wrote
    std::vector<SpoolerCall> calls;
};
extern FakeSpooler fakeSpooler;

BOOL WINAPI FakeEnumPrinters(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                             LPDWORD returned);
HLOCAL WINAPI FailingLocalAlloc(UINT flags, SIZE_T bytes);

// A system folder with comdlg32.dll only, for platform.loadSystemLibrary.
HMODULE OnlyFileDialogDll(const char* fileName);
// "Cannot load <system folder>\<fileName> (error 126)", as that folder gives it.
std::string LoadFailureText(const char* fileName);
// Installs the fake spooler and the message recorder; the system's calls
// but the recorder on Restore.
void UseFakes();
void RestoreFakes();

// Handles whatever is posted to this thread, for at most `ms` milliseconds,
// until the queue stays empty.
void PumpMessages(DWORD ms = kPumpTimeoutMs);

// Creates the real main window laid out in cyUnit and lets the start-up
// command and the first load run. The caller destroys it with
// DestroyMainWindow, which also takes the quit message off the queue.
HWND MakeMainWindow(int cyUnit);
void DestroyMainWindow(HWND window);

// MF_GRAYED / MF_ENABLED of a command in the window's menu.
bool MenuCommandEnabled(HWND window, UINT command);

// The real main window of this process over the fake spooler, with the
// sample table stored in the prefix's key.
class RealMainWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Printers of the model ("Front VRX-2260", then "Rear VRX-2260"), the
    // window, the start-up command and the first load.
    void Start(int printers = 1);
    const MainControls& C() const;
    FlagTable& T() const;
    EditorWindow& E() const;  // the window's record
    // WM_COMMAND sent to the window, then whatever it posted handled.
    void Command(UINT id, UINT code = 0, HWND control = nullptr);
    // A key pressed in `focus` with Ctrl (and Shift) held or not, as the
    // message loop hands it to the window's accelerators; whether they took it.
    bool PressKey(HWND focus, WORD key, bool control, bool shift = false);

    HWND window = nullptr;
};
